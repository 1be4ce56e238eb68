#!/usr/bin/env bash
# Builds the benchmarks in Release and runs every one of them with
# repetitions, then prints each benchmark's median and spread (wall time) and
# the peak memory of whole-menu PDF exports of 50, 500 and 5,000 products.
#
#   bash tools/bench.sh [BENCHMARK-OPTION...]
#
# BUILD_DIR is the build folder (default: build-bench), REPETITIONS the number
# of repetitions (default: 5). Options such as --benchmark_filter=LastPage go
# to every benchmark program. When JSON_DIR is set, the raw results are kept
# there as one JSON file per program; otherwise everything the run writes
# goes into a temporary folder that is removed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh

# GNU time (peak memory) and Python (the summary) only this script needs.
missing=()
for p in time python3; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build=${BUILD_DIR:-build-bench}
repetitions=${REPETITIONS:-5}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMENOLUX_BUILD_BENCH=ON \
  -DMENOLUX_BUILD_TESTS=OFF
cmake --build "$build" -j2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
results=${JSON_DIR:-$work/results}
mkdir -p "$results"
# What the program and the benchmarks keep per user stays in the run's folder.
mkdir -m 700 "$work/runtime"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
export QT_QPA_PLATFORM=offscreen

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
echo "Load before the run: $(cut -d' ' -f1-3 /proc/loadavg)"

programs=(bench_menufile bench_csv bench_layout bench_texture bench_preview bench_preview_scroll
  bench_editing bench_translation bench_print bench_pdf_process)
for program in "${programs[@]}"; do
  echo "== $program"
  "$build/bench/$program" --benchmark_repetitions="$repetitions" \
    --benchmark_display_aggregates_only=true \
    --benchmark_out="$results/$program.json" --benchmark_out_format=json "$@"
done

echo
echo "== Summary: wall time over the repetitions (median, min-max, cv = stddev/mean), and"
echo "   the median CPU time of the benchmark process (for bench_pdf_process not the program's)"
python3 - "$results" "${programs[@]}" <<'EOF'
import json, os, statistics, sys

folder, programs = sys.argv[1], sys.argv[2:]
def fmt(v):
    return f"{v:.3g}" if v < 1000 else f"{v:.0f}"
for program in programs:
    path = os.path.join(folder, program + ".json")
    if not os.path.exists(path) or os.path.getsize(path) == 0:
        continue
    runs = {}
    for b in json.load(open(path))["benchmarks"]:
        if b.get("run_type") == "iteration" and not b.get("error_occurred"):
            runs.setdefault(b["run_name"], []).append(b)
    for name, reps in runs.items():
        times = [r["real_time"] for r in reps]
        cpu = statistics.median(r["cpu_time"] for r in reps)
        unit = reps[0]["time_unit"]
        median = statistics.median(times)
        cv = statistics.pstdev(times) / statistics.mean(times) if len(times) > 1 else 0.0
        counters = []
        for key in ("pages", "measured", "resident_MB", "pdf_bytes"):
            if key in reps[0]:
                counters.append(f"{key}={fmt(statistics.median(r[key] for r in reps))}")
        name = name.split("/repeats:")[0]
        print(f"{program:22} {name:42} {fmt(median):>8} {unit}  "
              f"[{fmt(min(times))}-{fmt(max(times))}]  cv {cv * 100:4.1f}%  n={len(times)}  "
              f"cpu {fmt(cpu)}  "
              + " ".join(counters))
EOF

echo
echo "== Peak memory of menolux --export-pdf (maximum resident set size over $repetitions runs)"
for products in 50 500 5000; do
  menu="$work/menu-$products.mnx"
  "$build/bench/write_generated_menu" "$products" "$menu"
  peaks=()
  for ((i = 0; i < repetitions; ++i)); do
    /usr/bin/time -f "%M %U %S" -o "$work/time.txt" "$build/menolux" --export-pdf "$work/menu-$products.pdf" "$menu"
    peaks+=("$(tr ' ' ',' < "$work/time.txt")")
  done
  python3 - "$products" "$(stat -c %s "$menu")" "$(stat -c %s "$work/menu-$products.pdf")" "${peaks[@]}" <<'EOF'
import statistics, sys
products, menu, pdf = sys.argv[1:4]
runs = [[float(v) for v in r.split(",")] for r in sys.argv[4:]]
mb = [r[0] / 1024 for r in runs]
cpu = statistics.median(r[1] + r[2] for r in runs)
print(f"{products:>5} products: median {statistics.median(mb):.1f} MB [{min(mb):.1f}-{max(mb):.1f}]"
      f"  (menu {int(menu) / 1024:.0f} KB, PDF {int(pdf) / 1024:.0f} KB; CPU time median {cpu:.2f} s)")
EOF
done

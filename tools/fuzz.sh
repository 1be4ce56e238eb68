#!/usr/bin/env bash
# Coverage-guided fuzzing of every reader of outside input.
#
#   bash tools/fuzz.sh [SECONDS]
#
# Installs clang and libFuzzer when missing, builds the fuzz targets with
# clang, AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer into
# BUILD_DIR (default: build-fuzz), and runs each target for SECONDS (default
# 60) from its seeds, one after the other. The corpora live in a temporary
# folder, never in the repository. Prints one line per target; exits
# non-zero on a crash, a leak, an input that takes more than 2 s or an
# allocation above 512 MB, and keeps the temporary folder with the
# reproducer then.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
seconds=${1:-60}
case $seconds in
  '' | *[!0-9]*) echo "usage: tools/fuzz.sh [SECONDS]" >&2; exit 2 ;;
esac

bash tools/install-deps.sh clang-14 libclang-rt-14-dev libfuzzer-14-dev

build=${BUILD_DIR:-build-fuzz}
echo "== building the fuzz targets in $build =="
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DMENOLUX_FUZZ=ON \
  -DMENOLUX_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target menolux_fuzzers

work=$(mktemp -d /tmp/menolux-fuzz.XXXXXX)

# Nothing of a run reaches the user's folders.
export QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data
export XDG_CACHE_HOME=$work/home/cache XDG_RUNTIME_DIR=$work/home/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export LSAN_OPTIONS=suppressions=$source_dir/tests/lsan.supp
# intercept_tls_get_addr=0: clang 14's LeakSanitizer otherwise now and then
# crashes in its own tracer on glibc 2.36 ("Tracer caught signal 11"),
# reporting no leak.
export ASAN_OPTIONS=detect_leaks=1:intercept_tls_get_addr=0
export UBSAN_OPTIONS=print_stacktrace=1

"$build/fuzz/menolux_fuzz_seeds" "$source_dir" "$work/seeds"

# name and the largest input: text formats stay small, images and menus may
# be larger.
targets=(
  "menufile 131072"
  "translate 65536"
  "csv 65536"
  "options 64"
  "dib 131072"
  "cmdline 4096"
)

echo "== fuzzing, $seconds s per target =="
failed=0
for t in "${targets[@]}"; do
  read -r name max_len <<<"$t"
  dir=$work/$name
  mkdir -p "$dir/corpus" "$dir/tmp" "$dir/artifacts"
  cp "$work/seeds/$name"/* "$dir/corpus/"
  rc=0
  (cd "$dir" && TMPDIR=$dir/tmp "$source_dir/$build/fuzz/fuzz_$name" \
    -seed=1 -max_total_time="$seconds" -timeout=2 -malloc_limit_mb=512 -rss_limit_mb=2048 \
    -max_len="$max_len" -detect_leaks=1 -print_final_stats=1 \
    -artifact_prefix="$dir/artifacts/" corpus >"$dir/log" 2>&1) || rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log" | tail -1)
  [ -n "$runs" ] || runs=$(grep -o '^#[0-9]*' "$dir/log" | tail -1 | tr -d '#')
  artifact=$(find "$dir/artifacts" -type f | head -1)
  if [ "$rc" -eq 0 ] && [ -z "$artifact" ]; then
    result="ok ($(find "$dir/corpus" -type f | wc -l) inputs in the corpus)"
  else
    failed=1
    kind=$(basename "${artifact:-none}" | sed 's/-.*//')
    case $kind in
      crash) kind="crash" ;;
      leak) kind="leak" ;;
      timeout) kind="timeout (> 2 s)" ;;
      oom) kind="out of memory (> 512 MB)" ;;
      *) kind="failed (exit $rc)" ;;
    esac
    result="$kind: ${artifact:-no reproducer}, log $dir/log"
  fi
  printf '%-10s %12s runs  %s\n' "$name" "${runs:-?}" "$result"
done

if [ "$failed" -ne 0 ]; then
  echo "fuzzing found problems; inputs and logs are in $work" >&2
  exit 1
fi
rm -rf "$work"

#!/usr/bin/env bash
# Installs what is missing, builds Menolux and starts it on our sample menu
# (or on the arguments given). Without a display it renders the sample menu to
# sample.pdf instead, since the window cannot be shown.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DMENOLUX_BUILD_TESTS=OFF
cmake --build build --target menolux
if [ $# -eq 0 ]; then
  set -- examples/sample.mnx
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: rendering $1 to sample.pdf instead of opening the window."
  ./build/menolux --export-pdf sample.pdf "$1"
  echo "Wrote $(pwd)/sample.pdf"
  exit 0
fi
exec ./build/menolux "$@"

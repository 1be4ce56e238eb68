#!/usr/bin/env bash
# Installs what is missing, builds Menolux and starts it.
# Arguments are passed to the program (for example a menu file to open).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DMENOLUX_BUILD_TESTS=OFF
cmake --build build --target menolux
exec ./build/menolux "$@"

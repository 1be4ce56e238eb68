#!/usr/bin/env bash
# Installs what is missing, builds Menolux with its tests and runs every test.
# Extra arguments go to CMake (for example -DMENOLUX_SANITIZE=ON); the build
# directory is BUILD_DIR (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DMENOLUX_BUILD_TESTS=ON "$@"
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure

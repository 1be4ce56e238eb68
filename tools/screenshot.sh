#!/usr/bin/env bash
# Takes the README's screenshot of the main window under a virtual display.
# Needs xvfb and imagemagick (apt-get install xvfb xauth imagemagick).
# Usage: tools/screenshot.sh [--tab N] OUT.png [menolux arguments...]
#   --tab N  start on tab N (0 = "Produkte anlegen", 1 = "Speisekarte erzeugen", ...)
# The program is taken from BUILD_DIR (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = "--tab" ]; then
  export MENOLUX_START_TAB=$2
  shift 2
fi
out=$1
shift
build=${BUILD_DIR:-build}
xvfb-run -a -s "-screen 0 960x640x24" bash -c '
  # Prices as a German user sees them.
  env LC_NUMERIC=de_DE.UTF-8 "'"$build"'"/menolux "$@" &
  pid=$!
  sleep 3
  import -window root -crop 960x640+0+0 "'"$out"'"
  kill $pid' _ "$@"

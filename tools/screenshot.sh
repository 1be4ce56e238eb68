#!/usr/bin/env bash
# Takes the README's screenshot of the main window under a virtual display.
# Needs xvfb and imagemagick (apt-get install xvfb xauth imagemagick).
# Usage: tools/screenshot.sh OUT.png [menolux arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
out=$1
shift
xvfb-run -a -s "-screen 0 960x640x24" bash -c '
  ./build/menolux "$@" &
  pid=$!
  sleep 3
  import -window root -crop 960x640+0+0 "'"$out"'"
  kill $pid' _ "$@"

#!/usr/bin/env bash
# Renders the program's icon assets/icons/menolux.svg into the PNG sizes that
# the desktop's icon theme and the window use: assets/icons/menolux-N.png.
# The PNGs are committed, so the build needs no SVG renderer; run this after
# changing the SVG. Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v rsvg-convert >/dev/null; then
  echo "rsvg-convert not found: apt-get install librsvg2-bin" >&2
  exit 1
fi
for size in 16 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" --format png \
    --output "assets/icons/menolux-$size.png" assets/icons/menolux.svg
done

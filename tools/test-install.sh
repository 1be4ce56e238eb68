#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks the installed program:
# the files and where they go, the desktop entry, the type of .mnx files, a
# headless export that finds the default texture in <prefix>/share/menolux,
# and the window started from the desktop entry's Exec line on a virtual
# display. Everything is written below one temporary folder, removed at the
# end. CTest runs this as test_install.
# Usage: tools/test-install.sh [BUILD_DIR]   (default: build)
# Needs desktop-file-utils, shared-mime-info, poppler-utils, xvfb and
# x11-utils (tools/install-deps.sh installs them).
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
tools=$(cd "$(dirname "$0")" && pwd)
for tool in desktop-file-validate update-mime-database pdfimages Xvfb xwininfo xprop; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool not found (tools/install-deps.sh installs it)."
    exit 77
  fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/menolux-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The user's folders of the installed program, in the temporary folder; the
# program runs from there, so that no texture in the current directory counts.
export HOME=$work/home
export XDG_DATA_HOME=$HOME/data
export XDG_CONFIG_HOME=$HOME/config
export XDG_CACHE_HOME=$HOME/cache
export XDG_RUNTIME_DIR=$HOME/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
cd "$work"

echo "== install into $prefix"
# cmake --install writes the list of installed files into the build folder;
# the list of a real install there stays as it was.
manifest=$build/install_manifest.txt
if [ -f "$manifest" ]; then cp -p "$manifest" "$work/manifest"; fi
restore_manifest() {
  if [ -f "$work/manifest" ]; then mv "$work/manifest" "$manifest"; else rm -f "$manifest"; fi
}
trap 'restore_manifest; rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

echo "== installed files"
for f in bin/menolux share/menolux/paper.jpg share/menolux/sample.mnx \
  share/applications/menolux.desktop share/mime/packages/menolux.xml \
  share/icons/hicolor/scalable/apps/menolux.svg; do
  [ -f "$prefix/$f" ] || fail "$f is not installed"
done
[ -x "$prefix/bin/menolux" ] || fail "bin/menolux cannot be run"
for n in 16 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${n}x$n/apps/menolux.png
  [ -f "$png" ] || fail "no ${n}x$n icon"
  # A PNG's width and height are the 4-byte values at offsets 16 and 20.
  size=$(od -An -tx1 -j16 -N8 "$png" | tr -d ' \n')
  [ "$size" = "$(printf '%08x%08x' "$n" "$n")" ] || fail "the ${n}x$n icon is not $n by $n pixels"
done

echo "== desktop entry"
desktop=$prefix/share/applications/menolux.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects menolux.desktop"
grep -qx 'Exec=menolux %f' "$desktop" || fail "unexpected Exec line"
grep -qx 'MimeType=application/x-menolux;' "$desktop" || fail "unexpected MimeType line"

echo "== file type of .mnx"
XDG_DATA_DIRS=$prefix/share update-mime-database "$prefix/share/mime"
# globs2: weight:type:pattern, one line per pattern.
grep -qx '[0-9]*:application/x-menolux:\*\.mnx' "$prefix/share/mime/globs2" ||
  fail "*.mnx does not map to application/x-menolux"

echo "== headless export with the installed texture"
sample=$prefix/share/menolux/sample.mnx
images() { # the number of images in the PDF $1
  pdfimages -list "$1" | tail -n +3 | grep -c . || true
}
"$prefix/bin/menolux" --export-pdf "$work/sample.pdf" "$sample" || fail "the PDF export failed"
[ "$(images "$work/sample.pdf")" -gt 0 ] || fail "the PDF has no texture"
# Without the installed texture the pages have none: the one above came from
# <prefix>/share/menolux.
mv "$prefix/share/menolux/paper.jpg" "$work/paper.jpg.away"
"$prefix/bin/menolux" --export-pdf "$work/bare.pdf" "$sample" || fail "the PDF export failed"
mv "$work/paper.jpg.away" "$prefix/share/menolux/paper.jpg"
[ "$(images "$work/bare.pdf")" -eq 0 ] || fail "the PDF has a texture that was not installed"

echo "== the window, started from the desktop entry"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
# The entry's words, its field code replaced by the file (the path holds no
# spaces: it lies below mktemp's folder).
read -r -a command <<<"${exec_line//%f/$sample}"
PATH=$prefix/bin:$PATH sh "$tools/with-xvfb.sh" \
  bash -c '
    "$@" &
    pid=$!
    found=
    # Up to a minute for the sanitizer build; a poll every fifth of a second.
    for _ in $(seq 300); do
      id=$(xwininfo -root -tree | grep -F "[sample.mnx]" | awk "{print \$1; exit}")
      if [ -n "$id" ] && xwininfo -id "$id" | grep -q "Map State: IsViewable"; then
        found=$id
        break
      fi
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.2
    done
    if [ -n "$found" ]; then
      xwininfo -id "$found" | sed -n "s/^xwininfo: Window id: /window: /p"
      icons=$(xprop -id "$found" _NET_WM_ICON | grep -o "Icon ([0-9]* x [0-9]*)" | tr "\n" " ")
      echo "window icons: $icons"
      case $icons in
        *"Icon (16 x 16)"*"Icon (128 x 128)"*) ;;
        *) echo "the window lacks its icon" >&2; found= ;;
      esac
    fi
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    [ -n "$found" ]' _ "${command[@]}" || fail "no window with its icon showing sample.mnx appeared"

echo "== data files of the installed program"
# The window's start wrote the translation table: into the user's data
# folder, although root could write into the prefix.
[ -f "$XDG_DATA_HOME/Menolux/translate.dat" ] || fail "no translate.dat in the user's data folder"
[ "$(ls -A "$prefix/bin")" = menolux ] || fail "the program wrote into $prefix/bin"
[ "$(ls -A "$prefix/share/menolux" | tr '\n' ' ')" = "paper.jpg sample.mnx " ] ||
  fail "the program wrote into $prefix/share/menolux"

echo "install test passed"

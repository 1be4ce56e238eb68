#!/bin/sh
# Runs a command on a virtual X display of its own and exits with its status.
# Xvfb picks a free display number itself (-displayfd), so that several runs
# at once never race for one. Without Xvfb (Debian package xvfb, which
# tools/install-deps.sh installs) the command is skipped: exit code 77, which
# CTest counts as skipped.
# Usage: tools/with-xvfb.sh COMMAND [ARGUMENTS...]
if ! command -v Xvfb >/dev/null 2>&1; then
  echo "SKIPPED: Xvfb not found; install the package xvfb (tools/install-deps.sh)."
  exit 77
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/menolux-xvfb.XXXXXX") || exit 1
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/log" &
server=$!
# The number arrives once the server accepts clients; up to 30 seconds.
tries=0
while [ ! -s "$work/display" ]; do
  if ! kill -0 "$server" 2>/dev/null || [ "$tries" -ge 300 ]; then
    echo "Xvfb did not start:" >&2
    cat "$work/log" >&2
    kill "$server" 2>/dev/null
    rm -rf "$work"
    exit 1
  fi
  tries=$((tries + 1))
  sleep 0.1
done
DISPLAY=:$(head -n 1 "$work/display")
export DISPLAY
"$@"
status=$?
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
rm -rf "$work"
exit "$status"

#!/bin/sh
# Runs a test program on a virtual X display of its own. Without xvfb-run
# (Debian packages xvfb and xauth, which tools/install-deps.sh installs) the
# test is skipped: CTest counts exit code 77 as skipped.
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "SKIPPED: xvfb-run not found; install the packages xvfb and xauth (tools/install-deps.sh)."
  exit 77
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$@"

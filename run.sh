#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program.
#   ./run.sh          the desktop program (on a machine without a display: how to run it under
#                     a virtual display, and a sample design from the command line)
#   ./run.sh ARGS     the korvell command line with ARGS
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake --preset release >/dev/null
# Only the two programs: the tests and benchmarks are built by ./test.sh.
cmake --build --preset release --target korvell korvell-inductors >/dev/null

if [ $# -gt 0 ]; then
  exec ./build/release/korvell "$@"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: run the desktop program under a virtual display with" \
       "xvfb-run -s '-screen 0 1280x1024x24' ./run.sh ; here is a sample design instead." >&2
  exec ./build/release/korvell design --app dc --inductance 100 --current 5 --von 12 --voff 5 \
    --frequency 100
fi
exec ./build/release/korvell-inductors

#!/usr/bin/env bash
# Installs what is missing, builds, and runs the korvell command line with the given arguments.
# With no arguments it shows the percent permeability against DC bias of every selectable material.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null

if [ $# -eq 0 ]; then
  exec ./build/release/korvell curve --kind 2
fi
exec ./build/release/korvell "$@"

#!/usr/bin/env bash
# Installs what is missing, configures, builds and runs every test.
#   ./test.sh              debug build (preset dev, warnings as errors)
#   ./test.sh --sanitize   the same under address and undefined-behaviour sanitizers (preset asan)
set -euo pipefail
cd "$(dirname "$0")"

preset=dev
for arg in "$@"; do
  case "$arg" in
    --sanitize) preset=asan ;;
    *) echo "usage: ./test.sh [--sanitize]" >&2; exit 2 ;;
  esac
done

./scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset" -j "$(nproc)"

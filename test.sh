#!/usr/bin/env bash
# Installs what is missing, configures, builds and runs every test.
#   ./test.sh                 debug build (preset dev, warnings as errors)
#   ./test.sh --sanitize      the same under address and undefined-behaviour sanitizers (preset asan)
#   ./test.sh --fuzz [SECONDS] builds the libFuzzer targets of fuzz/ with clang (preset fuzz) and
#                             runs each from its seed corpus for SECONDS (default 60)
set -euo pipefail
cd "$(dirname "$0")"

preset=dev
fuzz_seconds=
while [ $# -gt 0 ]; do
  case "$1" in
    --sanitize) preset=asan ;;
    --fuzz)
      preset=fuzz
      fuzz_seconds=60
      if [ $# -gt 1 ] && [[ "$2" =~ ^[0-9]+$ ]]; then
        fuzz_seconds=$2
        shift
      fi
      ;;
    *) echo "usage: ./test.sh [--sanitize | --fuzz [SECONDS]]" >&2; exit 2 ;;
  esac
  shift
done

./scripts/install-deps.sh
if [ "$preset" = fuzz ]; then
  # clang with its libFuzzer and sanitizer runtimes, only for the fuzz build.
  ./scripts/install-deps.sh clang libclang-rt-dev
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz
  exec ./scripts/run-fuzz.sh build/fuzz "$fuzz_seconds"
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset" -j "$(nproc)"

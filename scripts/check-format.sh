#!/usr/bin/env bash
# Fails when a source, test, benchmark or fuzz file differs from what .clang-format makes of it.
# To mend: clang-format -i on the files named.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(find src tests bench fuzz -name '*.cpp' -o -name '*.h' | sort)
if ! clang-format --dry-run -Werror "${files[@]}"; then
  echo "Files above differ from .clang-format: run clang-format -i on them." >&2
  exit 1
fi
echo "${#files[@]} files follow .clang-format."

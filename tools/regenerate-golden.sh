#!/usr/bin/env bash
# Rewrites the golden design searches of tests/data from the current build:
#   tools/regenerate-golden.sh [path/to/korvell]
# Review `git diff tests/data` before committing: every change there is a change of the designs
# the program proposes.
set -euo pipefail
cd "$(dirname "$0")/.."
korvell=${1:-build/dev/korvell}
while IFS='|' read -r name args; do
  case "$name" in ''|'#'*) continue ;; esac
  # shellcheck disable=SC2086
  "$korvell" design $args --json > "tests/data/design-$name.json" 2>/dev/null
  echo "tests/data/design-$name.json"
done < tests/data/golden-searches.txt

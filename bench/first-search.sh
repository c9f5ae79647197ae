#!/usr/bin/env bash
# The cost of the first design search in a fresh process, as a script that runs korvell once
# per design pays it: instructions (callgrind) of a full toroid search against a trivial
# `korvell wire` run of the same program, which both pay for start-up and option parsing.
# The target: the search costs at most 5 million instructions more.
#   bench/first-search.sh [KORVELL]     (default: the release build, built when missing)
# Needs valgrind (Debian package valgrind).
set -euo pipefail
cd "$(dirname "$0")/.."

korvell=${1:-build/release/korvell}
if [ $# -eq 0 ]; then
  cmake --preset release >/dev/null
  cmake --build --preset release --target korvell >/dev/null
fi
command -v valgrind >/dev/null || { echo "valgrind is needed (apt-get install valgrind)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

instructions() {
  valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" "$korvell" "$@" \
    >/dev/null 2>"$work/valgrind.txt"
  grep -o 'Collected : [0-9]*' "$work/valgrind.txt" | grep -o '[0-9]*$'
}

search=(design --app dc --inductance 100 --current 5 --von 12 --voff 5 --frequency 100)
trivial=$(instructions wire --gage 10)
table=$(instructions "${search[@]}")
json=$(instructions "${search[@]}" --json)
limit=5000000
printf '%-44s %12s %12s\n' "run" "instructions" "over wire"
printf '%-44s %12d %12s\n' "korvell wire --gage 10" "$trivial" "-"
printf '%-44s %12d %12d\n' "korvell design (toroid, 40 designs, table)" "$table" $((table - trivial))
printf '%-44s %12d %12d\n' "korvell design (toroid, 40 designs, --json)" "$json" $((json - trivial))
if [ $((table - trivial)) -le $limit ]; then
  echo "the table search is within $limit instructions of a trivial run"
else
  echo "the table search exceeds the target of $limit instructions over a trivial run"
  exit 1
fi

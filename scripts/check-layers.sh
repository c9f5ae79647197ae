#!/usr/bin/env bash
# Fails when an include in src/ points from a lower room to a higher one. The rooms, lowest
# first; rooms on one line are siblings and do not include each other:
#   platform (plain C++: canvas, messages, formatting, file access)
#   record
#   materials
#   engine
#   analysis
#   explore  files  export
#   graphs  pages
#   report (the design report: pages, graphs and the SPICE model on a PDF canvas)
#   platform/qt (Qt's side of the platform seams: it sees only platform, and only ui sees it)
#   ui  cli
# A file may include its own room and any room below it.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A level=(
  [platform]=0 [record]=1 [materials]=2 [engine]=3 [analysis]=4
  [explore]=5 [files]=5 [export]=5 [graphs]=6 [pages]=6 [report]=7 [platform/qt]=7 [ui]=8 [cli]=8
)

room_of() {  # room of a path below src/, or of an include path
  case "$1" in
    platform/qt/*) echo platform/qt ;;
    *) echo "${1%%/*}" ;;
  esac
}

faults=0
while IFS= read -r file; do
  from=$(room_of "${file#src/}")
  [ -n "${level[$from]+x}" ] || { echo "$file: not in a known room" >&2; faults=$((faults + 1)); continue; }
  while IFS=: read -r line target; do
    to=$(room_of "$target")
    [ -n "${level[$to]+x}" ] || continue
    if [ "$to" != "$from" ] && { [ "${level[$to]}" -ge "${level[$from]}" ] ||
         { [ "$from" = platform/qt ] && [ "$to" != platform ]; } ||
         { [ "$to" = platform/qt ] && [ "$from" != ui ]; }; }; then
      echo "$file:$line: $from includes $target, a room that is not below it" >&2
      faults=$((faults + 1))
    fi
  done < <(grep -n -o -E '^#include "[a-z]+/[^"]+"' "$file" | sed -E 's/^([0-9]+):#include "(.*)"/\1:\2/')
done < <(find src -mindepth 2 -name '*.cpp' -o -mindepth 2 -name '*.h' | sort)

if [ "$faults" -gt 0 ]; then
  echo "$faults includes point up; see the rooms at the top of $0" >&2
  exit 1
fi
echo "Every include points down."

#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for SECONDS each, starting from its seed corpus.
#   scripts/run-fuzz.sh BUILD_DIR SECONDS
# New inputs are kept in BUILD_DIR/fuzz-corpus/<target> (the seeds in fuzz/corpus stay as they
# are); a failing input is written to BUILD_DIR/fuzz-findings/. Prints the executions of each
# target and exits non-zero when any target found a fault.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:?build dir}
seconds=${2:-60}
targets=(PartNumberFuzz EntryFuzz WireTextFuzz DesignSearchFuzz DesignFileFuzz)
mkdir -p "$build/fuzz-findings"
status=0
for target in "${targets[@]}"; do
  corpus="$build/fuzz-corpus/$target"
  mkdir -p "$corpus"
  log="$build/fuzz-findings/$target.log"
  # Design files are read up to 16 MiB; the fuzzer tries inputs up to 1 MiB of them.
  max_len=4096
  [ "$target" = DesignFileFuzz ] && max_len=1048576
  "$build/fuzz/$target" "$corpus" "fuzz/corpus/$target" -max_total_time="$seconds" \
    -max_len="$max_len" \
    -artifact_prefix="$build/fuzz-findings/$target-" -print_final_stats=1 >"$log" 2>&1
  result=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
  if [ $result -eq 0 ]; then
    echo "$target: ${runs:-?} executions, no finding"
  else
    echo "$target: FINDING after ${runs:-?} executions (see $log)"
    grep -m3 -E 'PROPERTY FAILED|ERROR: AddressSanitizer|runtime error' "$log" | sed 's/^/  /'
    status=1
  fi
done
exit $status

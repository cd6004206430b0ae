#!/usr/bin/env bash
# Runs every fuzz target of the fuzz preset (cmake --workflow --preset fuzz)
# for a bounded time, starting from its seed corpus in fuzz/corpus/<target>.
# New inputs go to a scratch folder, never into the committed corpora. A
# finding (a crash, a sanitizer report, a timeout, an exit other than 0) stops
# the script with status 1; its input is kept in build/fuzz/findings/ and
# becomes a regression test.
#   fuzz/run_fuzz.sh [seconds per target, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD  # absolute paths: the whole-run target works in a folder of its own
seconds=${1:-60}
bin=$root/build/fuzz/fuzz
findings=$root/build/fuzz/findings
mkdir -p "$findings"
for target in free_form fixed_field real_round_trip whole_run; do
  scratch=$(mktemp -d)
  log=$root/build/fuzz/$target.log
  status=0
  "$bin/fuzz_$target" -max_total_time="$seconds" -timeout=30 -close_fd_mask=3 -print_final_stats=1 \
    -artifact_prefix="$findings/$target-" "$scratch" "$root/fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  rm -rf "$scratch"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzz_$target: ${runs:-?} runs in ${seconds}s, exit $status"
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$log"
    exit 1
  fi
done

#!/usr/bin/env bash
# Runs fuzz targets of the fuzz preset (cmake --workflow --preset fuzz) for a
# bounded time each, one after the other, starting from their seed corpora in
# fuzz/corpus/<target>.
#   fuzz/run_fuzz.sh [-c FOLDER] [-k] [seconds per target, default 60] [target...]
# Without targets, all of them. New inputs go to a scratch folder, never into
# the committed corpora, unless -c names a folder (relative to where the
# script is called) that keeps them in FOLDER/<target>, from one call to the
# next. A finding (a crash, a sanitizer report, a timeout, an exit other than
# 0) stops the script with status 1; its input is kept in build/fuzz/findings/
# and becomes a regression test. With -k a target that stops on a finding
# starts again from the inputs gathered so far until its time is up, for a
# measure of its speed: the findings are kept all the same and counted.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
keep=
keep_going=
while getopts c:k option; do
  case $option in
    c) mkdir -p "$OPTARG"; keep=$(cd "$OPTARG" && pwd) ;;
    k) keep_going=1 ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
seconds=${1:-60}
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(free_form fixed_field real_round_trip whole_run year_report)
bin=$root/build/fuzz/fuzz
findings=$root/build/fuzz/findings
mkdir -p "$findings"

# Flags of each target besides the common ones: the whole run's inputs are a
# dataset of nine files, the year report's a few hundred bytes of choices.
flags_of() {
  case $1 in
    whole_run) echo "-max_len=8192 -dict=$root/fuzz/whole_run.dict" ;;
    year_report) echo "-max_len=1024" ;;
  esac
}

for target in "${targets[@]}"; do
  if [ -n "$keep" ]; then
    corpus=$keep/$target
    mkdir -p "$corpus"
  else
    corpus=$(mktemp -d)
  fi
  log=$root/build/fuzz/$target.log
  : >"$log"
  status=0
  runs=0
  found=0
  start=$SECONDS
  while :; do
    left=$(( seconds - (SECONDS - start) ))
    [ "$left" -gt 0 ] || break
    status=0
    # shellcheck disable=SC2046
    "$bin/fuzz_$target" -max_total_time="$left" -timeout=30 -close_fd_mask=3 -print_final_stats=1 \
      $(flags_of "$target") -artifact_prefix="$findings/$target-" \
      "$corpus" "$root/fuzz/corpus/$target" >>"$log" 2>&1 || status=$?
    counted=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    runs=$(( runs + ${counted:-0} ))
    sed -i 's/^stat::number_of_executed_units:/stat::counted_units:/' "$log"
    [ "$status" -ne 0 ] || break
    found=$(( found + 1 ))
    [ -n "$keep_going" ] || break
  done
  [ -n "$keep" ] || rm -rf "$corpus"
  elapsed=$(( SECONDS - start > 0 ? SECONDS - start : 1 ))
  echo "fuzz_$target: $runs runs in ${elapsed}s ($(( runs / elapsed )) a second), exit $status${keep_going:+, $found findings}"
  if [ "$status" -ne 0 ] && [ -z "$keep_going" ]; then
    tail -n 40 "$log"
    exit 1
  fi
done

#!/usr/bin/env bash
# Replays corpus folders through a run target of the fuzz preset and counts
# the inputs that complete a run (reach the end of the run, and for the year
# report the end of the report, without a run error), then the most frequent
# run errors, numbers and record numbers left out.
#   fuzz/count_completing.sh [whole_run|year_report] FOLDER...
# Folders are taken relative to where the script is called; the target comes
# from build/fuzz (cmake --workflow --preset fuzz).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=whole_run
case "${1:-}" in whole_run|year_report) target=$1; shift ;; esac
[ $# -gt 0 ] || { echo "usage: $0 [whole_run|year_report] FOLDER..." >&2; exit 2; }
log=$(mktemp)
list=$(mktemp)
trap 'rm -f "$log" "$list"' EXIT
find "$@" -maxdepth 1 -type f | sort >"$list"
inputs=$(wc -l <"$list")
[ "$inputs" -gt 0 ] || { echo "no inputs in $*" >&2; exit 2; }
# Each input once, a process to a few of them: a finding ends its process,
# and the inputs after it in the batch go uncounted (said below).
tr '\n' '\0' <"$list" | FUZZ_OUTCOMES=$log xargs -0 -n 20 \
  "$root/build/fuzz/fuzz/fuzz_$target" -close_fd_mask=3 -runs=1 >/dev/null 2>&1 || true
# One outcome an input: the first line of each input's hash.
sort -s -u -k1,1 "$log" | cut -d' ' -f2- >"$list"
completed=$(grep -c '^completed$' "$list" || true)
ran=$(wc -l <"$list")
echo "fuzz_$target: $completed of $ran inputs complete a run ($(( 100 * completed / (ran > 0 ? ran : 1) ))%)"
[ "$ran" -eq "$inputs" ] || echo "($(( inputs - ran )) of the $inputs inputs not counted: a finding ended their process)"
grep '^error' "$list" | sed -E 's/(line|item) [0-9]+/\1 N/g' | sort | uniq -c | sort -rn | head -n 8 || true

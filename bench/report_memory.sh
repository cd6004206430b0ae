#!/usr/bin/env bash
# Peak memory of tessadro and tessadro-report on a full-size year whose
# pumping file holds many clean records (2 million by default): the report
# must grow with the problems it lists, not with the records it reads.
#
#   bench/report_memory.sh [build-dir]
#
# Builds tessadro, tessadro-report and make_year (Release) in build-dir
# (default build/bench) when needed, writes the year with
# "make_year DIR 2010 --size full --wells $WELLS" into $TESSADRO_BENCH_DIR
# (default /tmp/tessadro-report-memory), runs both programs there under
# /usr/bin/time -v and prints their exit status, peak resident memory and
# elapsed time, and the problem count of the report.
set -euo pipefail

src="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$src/build/bench}"
work="${TESSADRO_BENCH_DIR:-/tmp/tessadro-report-memory}"
wells="${WELLS:-2000000}"
year=2010
factor=0.7187758

if [ ! -x /usr/bin/time ]; then
  echo "report_memory.sh: /usr/bin/time (GNU time) is needed for -v" >&2
  exit 1
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSADRO_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target tessadro tessadro-report make_year >/dev/null
build="$(cd "$build" && pwd)"  # the runs happen in $work

rm -rf "$work"
"$build/bench/make_year" "$work" "$year" --size full --wells "$wells"
cd "$work"
echo "pumping records: $(wc -l < "tessadro$year.txt")"

# Prints "<name>: status S, peak RSS N kB (M MB), elapsed T".
measure() {
  local name="$1"
  shift
  local status=0
  TESSADRO_STATIC=static /usr/bin/time -v -o "$work/time-$name.txt" "$@" >"$work/stdout-$name.txt" \
    2>"$work/stderr-$name.txt" || status=$?
  local kb elapsed
  kb=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time-$name.txt")
  elapsed=$(awk -F': ' '/Elapsed \(wall clock\)/ { print $2 }' "$work/time-$name.txt")
  awk -v n="$name:" -v s="$status" -v kb="$kb" -v t="$elapsed" \
    'BEGIN { printf "%-16s status %d, peak RSS %d kB (%.1f MB), elapsed %s\n", n, s, kb, kb / 1024, t }'
}

measure tessadro "$build/tessadro" "$year" "$factor"
measure tessadro-report "$build/tessadro-report" "$year" "$factor"
if [ -f "report/$year/problems.csv" ]; then
  echo "problems listed: $(( $(wc -l < "report/$year/problems.csv") - 1 ))"
fi

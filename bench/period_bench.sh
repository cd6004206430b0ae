#!/usr/bin/env bash
# Times a period of record of eight full-size years against the eight years
# run one by one.
#
#   bench/period_bench.sh [build-dir]
#
# Builds tessadro-report and make_year (Release) in build-dir (default
# build/bench) when needed, writes eight full years (2001 to 2008) into
# $TESSADRO_BENCH_DIR (default /tmp/tessadro-period-bench), then $RUNS times
# (default 5): runs "tessadro-report <year> 0.7187758" for each year in turn,
# adding up their processor time (user plus system), and runs
# "tessadro-report --period years.txt --jobs $JOBS" (default 2), timing its
# wall clock. Prints the medians and their ratio: with two processors the
# years of a period run two at a time, so the period's wall time should be
# near half of the years' processor time, and at most 0.6 of it.
set -euo pipefail

src="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:-$src/build/bench}")"
work="${TESSADRO_BENCH_DIR:-/tmp/tessadro-period-bench}"
runs="${RUNS:-5}"
jobs="${JOBS:-2}"
factor=0.7187758

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSADRO_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target tessadro-report make_year >/dev/null
report="$build/tessadro-report"
make_year="$build/bench/make_year"

rm -rf "$work"
mkdir -p "$work"
for year in 2001 2002 2003 2004 2005 2006 2007 2008; do
  "$make_year" "$work" "$year" --size full >/dev/null
  echo "$year $factor" >>"$work/years.txt"
done
cd "$work"
export TESSADRO_STATIC=static

now_ns() { date +%s%N; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

singles=()
periods=()
for ((run = 1; run <= runs; run++)); do
  cpu=0
  for year in 2001 2002 2003 2004 2005 2006 2007 2008; do
    /usr/bin/time -f '%U %S' -o rusage.txt "$report" "$year" "$factor" >/dev/null
    cpu=$(awk -v sum="$cpu" '{ printf "%d\n", sum + ($1 + $2) * 1000 + 0.5 }' rusage.txt)
  done
  singles+=("$cpu")
  start=$(now_ns)
  "$report" --period years.txt --jobs "$jobs" >/dev/null
  periods+=($(( ($(now_ns) - start) / 1000000 )))
  echo "run $run: years one by one ${cpu} ms of processor time, period ${periods[-1]} ms wall"
done
single=$(printf '%s\n' "${singles[@]}" | median)
period=$(printf '%s\n' "${periods[@]}" | median)
echo "median: years one by one ${single} ms of processor time; period of 8 years with --jobs $jobs ${period} ms wall"
awk -v p="$period" -v s="$single" 'BEGIN { printf "period / years: %.2f (at most 0.60 wanted)\n", p / s }'

#!/usr/bin/env bash
# The year report against the run it makes: tessadro, tessadro-report and
# tessadro-report --gis on the full-size year, one after the other in each
# round so that a busy spell of the machine falls on all three alike, each in
# the same fresh folder.
#
#   bench/report_speed.sh [build-dir]
#
# Builds tessadro, tessadro-report and make_year (Release) in build-dir
# (default build/bench) when needed, writes the full year into
# $TESSADRO_BENCH_DIR (default /tmp/tessadro-report-speed), runs the three
# commands $RUNS times (default 11) and prints each one's median wall time,
# processor time (user plus system) and peak resident memory, and the
# reports' wall times against the run's: the median of the rounds' own
# ratios, which a slow round cannot tilt.
set -euo pipefail

src="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:-$src/build/bench}")"
work="${TESSADRO_BENCH_DIR:-/tmp/tessadro-report-speed}"
runs="${RUNS:-11}"
year=2010
factor=0.7187758

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSADRO_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target tessadro tessadro-report make_year >/dev/null

rm -rf "$work"
"$build/bench/make_year" "$work" "$year" --size full >/dev/null
cd "$work"
export TESSADRO_STATIC=static

now_ns() { date +%s%N; }
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Runs one command with its output discarded; appends "<wall ms> <cpu ms>
# <peak KiB>" to the file named first.
measure() {
  local into=$1 start ms
  shift
  start=$(now_ns)
  /usr/bin/time -f '%U %S %M' -o rusage.txt "$@" >/dev/null 2>stderr.txt || {
    echo "failed: $*" >&2
    cat stderr.txt >&2
    exit 1
  }
  ms=$(( ($(now_ns) - start) / 1000000 ))
  tail -n 1 rusage.txt | awk -v ms="$ms" '{ printf "%d %d %d\n", ms, ($1 + $2) * 1000 + 0.5, $3 }' >>"$into"
}

names=(run report gis)
rm -f run.txt report.txt gis.txt
# Each command starts in a folder without out/ and report/: a year's old
# outputs cost their removal (tens of milliseconds for the 84 MB of out/), which
# a command would otherwise pay for the one before it.
for ((k = 1; k <= runs; k++)); do
  rm -rf out report
  measure run.txt "$build/tessadro" "$year" "$factor"
  rm -rf out report
  measure report.txt "$build/tessadro-report" "$year" "$factor"
  rm -rf out report
  measure gis.txt "$build/tessadro-report" --gis "$year" "$factor"
done

printf '%-30s %9s %9s %9s\n' "median of $runs" "wall ms" "cpu ms" "peak KiB"
labels=("tessadro" "tessadro-report" "tessadro-report --gis")
for n in 0 1 2; do
  f=${names[$n]}.txt
  printf '%-30s %9s %9s %9s\n' "${labels[$n]}" "$(cut -d' ' -f1 "$f" | median)" \
    "$(cut -d' ' -f2 "$f" | median)" "$(cut -d' ' -f3 "$f" | median)"
done
for n in 1 2; do
  ratio=$(paste -d' ' "${names[$n]}.txt" run.txt | awk '{ printf "%.3f\n", $1 / $4 }' | median)
  echo "${labels[$n]} / tessadro, wall: $ratio (median of the rounds' ratios)"
done

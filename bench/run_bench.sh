#!/usr/bin/env bash
# Times tessadro on a generated full-size year.
#
#   bench/run_bench.sh [build-dir]
#
# Builds tessadro and make_year (Release) in build-dir (default build/bench)
# when needed, writes the full year into $TESSADRO_BENCH_DIR (default
# /tmp/tessadro-bench), runs "tessadro 2010 0.7187758" there $RUNS times
# (default 11) and prints the median wall time, the peak resident memory, the
# bytes read and written, and for comparison the time it takes merely to read
# the input bytes and write the output bytes with cat.
set -euo pipefail

src="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$src/build/bench}"
work="${TESSADRO_BENCH_DIR:-/tmp/tessadro-bench}"
runs="${RUNS:-11}"
year=2010
factor=0.7187758

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSADRO_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target tessadro make_year >/dev/null
tessadro="$build/tessadro"
make_year="$build/bench/make_year"

rm -rf "$work"
"$make_year" "$work" "$year" --size full
cd "$work"
inputs=(static/tessadro.par static/02.ibound static/cty.flg static/monthlyfactorsbycounty.txt
        static/queltapdivs.txt static/40coords.dat
        "authacres$year.txt" "tessadro$year.txt" "${year}mi.txt")

now_ns() { date +%s%N; }
ms_since() { echo $(( ($(now_ns) - $1) / 1000000 )); }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Runs a command with its output discarded; prints "<wall ms> <cpu ms> <peak RSS KiB>",
# the processor time being user plus system time.
measure() {
  if [ -x /usr/bin/time ]; then
    local start ms
    start=$(now_ns)
    /usr/bin/time -f '%U %S %M' -o "$work/rusage.txt" "$@" >/dev/null 2>"$work/stderr.txt" || return 1
    ms=$(ms_since "$start")
    tail -n 1 "$work/rusage.txt" | awk -v ms="$ms" '{ printf "%d %d %d\n", ms, ($1 + $2) * 1000 + 0.5, $3 }'
  else
    python3 -c '
import resource, subprocess, sys, time
t = time.monotonic()
with open(sys.argv[1], "w") as err:
    rc = subprocess.call(sys.argv[2:], stdout=subprocess.DEVNULL, stderr=err)
ms = int((time.monotonic() - t) * 1000)
if rc != 0:
    sys.exit(rc)
u = resource.getrusage(resource.RUSAGE_CHILDREN)
print(ms, round((u.ru_utime + u.ru_stime) * 1000), u.ru_maxrss)
' "$work/stderr.txt" "$@"
  fi
}

times=()
cpu_times=()
rss_max=0
for ((k = 1; k <= runs; k++)); do
  rm -rf out
  if ! result=$(measure env TESSADRO_STATIC="$work/static/" "$tessadro" "$year" "$factor"); then
    echo "run $k failed:" >&2
    cat "$work/stderr.txt" >&2
    exit 1
  fi
  read -r ms cpu rss <<<"$result"
  times+=("$ms")
  cpu_times+=("$cpu")
  if (( rss > rss_max )); then rss_max=$rss; fi
done
if [ -s "$work/stderr.txt" ]; then
  echo "standard error of the last run:"
  cat "$work/stderr.txt"
fi

in_bytes=$(cat "${inputs[@]}" | wc -c)
out_bytes=$(cat out/* | wc -c)

# Baseline: read every input byte and write as many bytes as the run writes.
copy_times=()
for ((k = 1; k <= runs; k++)); do
  rm -f copy.tmp
  start=$(now_ns)
  cat "${inputs[@]}" >/dev/null
  cat out/* >copy.tmp
  copy_times+=("$(ms_since "$start")")
done
rm -f copy.tmp

printf 'year                %s in %s\n' "$year" "$work"
printf 'input               %d bytes\n' "$in_bytes"
printf 'output              %d bytes in %d files\n' "$out_bytes" "$(ls out | wc -l)"
printf 'runs (ms)           %s\n' "${times[*]}"
printf 'median wall time    %d ms\n' "$(printf '%s\n' "${times[@]}" | median)"
printf 'median cpu time     %d ms (user + system: %s)\n' "$(printf '%s\n' "${cpu_times[@]}" | median)" "${cpu_times[*]}"
printf 'peak resident set   %d KiB\n' "$rss_max"
printf 'copying the bytes   %d ms (median of %s: %s)\n' "$(printf '%s\n' "${copy_times[@]}" | median)" "$runs" "${copy_times[*]}"

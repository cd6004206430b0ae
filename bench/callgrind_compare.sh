#!/usr/bin/env bash
# Instructions of tessadro on the generated full-size year, under callgrind,
# for two builds: whether a change to the run's tables or memory made the run
# slower. Also checks that both builds write the same out/, console, standard
# error and exit status.
#
#   bench/callgrind_compare.sh BEFORE-BUILD-DIR AFTER-BUILD-DIR [work-dir]
#
# Each build directory holds a Release tessadro; the year is written by the
# second one's bench/make_year (default work dir /tmp/tessadro-callgrind).
set -euo pipefail

before=$(cd "$1" && pwd)
after=$(cd "$2" && pwd)
work="${3:-/tmp/tessadro-callgrind}"
year=2010
factor=0.7187758

rm -rf "$work"
mkdir -p "$work/year"
"$after/bench/make_year" "$work/year" "$year" --size full >/dev/null
for side in before after; do
  build=${!side}
  rm -rf "$work/$side"
  cp -r "$work/year" "$work/$side"
  (
    cd "$work/$side"
    status=0
    TESSADRO_STATIC=static valgrind --tool=callgrind --callgrind-out-file="$work/$side.callgrind" \
      "$build/tessadro" "$year" "$factor" >stdout 2>stderr.valgrind || status=$?
    echo "$status" >status
    grep -v '^==[0-9]*==' stderr.valgrind >stderr || true
  )
  instructions=$(callgrind_annotate "$work/$side.callgrind" 2>/dev/null | sed -n 's/^\([0-9,]*\) .*PROGRAM TOTALS.*/\1/p')
  echo "$side: $instructions instructions ($build/tessadro)"
done
for f in stdout stderr status; do
  cmp -s "$work/before/$f" "$work/after/$f" || { echo "differs: $f"; exit 1; }
done
diff -r "$work/before/out" "$work/after/out" >/dev/null || { echo "differs: out/"; exit 1; }
echo "same out/, console, standard error and status"

#!/usr/bin/env bash
# Whether two builds write the same bytes: tessadro, tessadro-report and
# tessadro-report --gis of each build on the example year, every dataset of
# tests/data and the generated full-size year, each in a fresh copy of its
# folder (the same path for both builds, since the report names its folder).
# Compares everything written (out/, report/), standard output, standard
# error and the exit status, and prints a line for each difference.
#
#   bench/same_outputs.sh BEFORE-BUILD-DIR AFTER-BUILD-DIR
#
# Each build directory holds tessadro and tessadro-report; the full year is
# written by the second one's bench/make_year. Exit status 1 when anything
# differs. KEEP=1 keeps the work folder for a look at the differences.
set -uo pipefail

src="$(cd "$(dirname "$0")/.." && pwd)"
before=$(cd "$1" && pwd)
after=$(cd "$2" && pwd)
work=$(mktemp -d)
differ=0

# One program of both builds on one folder: name, folder, static folder, arguments.
compare() {
  local name=$1 folder=$2 static=$3
  shift 3
  local variant exe extra side build out
  for variant in run report gis; do
    exe=tessadro-report
    extra=()
    [ "$variant" = run ] && exe=tessadro
    [ "$variant" = gis ] && extra=(--gis)
    for side in before after; do
      build=${!side}
      out="$work/$name/$variant"
      rm -rf "$out/folder"
      mkdir -p "$out/folder"
      cp -r "$folder/." "$out/folder/"
      (cd "$out/folder" && TESSADRO_STATIC=$static "$build/$exe" "$@" "${extra[@]}" \
        >"../$side.stdout" 2>"../$side.stderr"; echo $? >"../$side.status")
      mv "$out/folder" "$out/$side"
    done
    out="$work/$name/$variant"
    if ! diff -r "$out/before" "$out/after" >/dev/null || ! cmp -s "$out/before.stdout" "$out/after.stdout" ||
      ! cmp -s "$out/before.stderr" "$out/after.stderr" || ! cmp -s "$out/before.status" "$out/after.status"; then
      echo "differs: $name, $exe ${extra[*]}"
      differ=1
    fi
  done
}

compare example "$src/example/year" "$src/example/static" 2010 0.7187758
for dataset in "$src"/tests/data/*/; do
  name=$(basename "$dataset")
  folder="$dataset/work"
  if [ ! -d "$folder" ]; then
    folder="$work/empty"
    mkdir -p "$folder"
  fi
  mapfile -t args <"$dataset/args"
  compare "$name" "$folder" "$dataset/static" "${args[@]}"
done
"$after/bench/make_year" "$work/full-year" 2010 --size full >/dev/null
compare full "$work/full-year" "$work/full-year/static" 2010 0.7187758

if [ -n "${KEEP:-}" ]; then echo "work folder: $work"; else rm -rf "$work"; fi
[ "$differ" = 0 ] && echo "same outputs"
exit "$differ"

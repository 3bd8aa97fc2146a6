#!/bin/sh
# kestrel-cli on a generated Stadia sheet: the main job (reduce, listing, check
# shot report, LandXML) and show, each timed with its peak memory.
#
#   bench/cli_job_bench.sh BUILD_DIR [ROWS]
#
# BUILD_DIR holds a Release build of kestrel-cli and kestrel_write_stadia_sheet;
# ROWS defaults to 10^6. Needs GNU time (/usr/bin/time).
set -eu
build=${1:?usage: cli_job_bench.sh BUILD_DIR [ROWS]}
rows=${2:-1000000}
cli="$build/bin/kestrel-cli"
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
mkdir "$folder/tst"
sheet="$folder/tst/stad1.tst"
"$build/bin/kestrel_write_stadia_sheet" "$rows" "$sheet"

echo "rows: $rows, load average: $(cut -d' ' -f1-3 /proc/loadavg)"
run() {
  what=$1
  shift
  for _ in 1 2 3; do
    /usr/bin/time -o "$folder/time" -f "$what: %e s wall, %U s user, %S s system, %M KB peak" \
      "$@" >/dev/null 2>&1
    cat "$folder/time"
  done
}
run "job" "$cli" job "$sheet"
run "show" "$cli" show "$sheet"
run "reduce --quiet" "$cli" reduce --quiet "$sheet"
run "reduce" "$cli" reduce "$sheet"

#!/bin/sh
# Whole-program benchmark of quillmark: generates a large project of exported
# modules and converts it as a project site, reporting the source size, the
# time, the throughput (MB/s of source, whole process: loading, converting,
# writing and placing every page; on a busy machine also per processor
# second) and the peak memory (/usr/bin/time -v).
#
#   tools/bench_project.sh [MODULES [KB_PER_MODULE]]     default 240 x 100 KB
#   QUILLMARK=build/bin/quillmark tools/bench_project.sh 480 50
#
# Use an optimised build (make builds build/ as RelWithDebInfo). Run it with
# the same total size split into more and fewer modules to see that the peak
# memory does not grow with the number of modules. Everything is written into
# a temporary folder (registry store and home included) that is removed
# afterwards.
set -eu

MODULES=${1:-240}
KB=${2:-100}
QUILLMARK=${QUILLMARK:-build/bin/quillmark}

if [ ! -x "$QUILLMARK" ]; then
  echo "bench_project: $QUILLMARK not found; build it first (make build, or set QUILLMARK)" >&2
  exit 2
fi
if [ ! -x /usr/bin/time ]; then
  echo "bench_project: /usr/bin/time is missing (apt-get install time)" >&2
  exit 2
fi
QUILLMARK=$(cd "$(dirname "$QUILLMARK")" && pwd)/$(basename "$QUILLMARK")

WORK=$(mktemp -d "${TMPDIR:-/tmp}/quillmark-bench.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/Big" "$WORK/home" "$WORK/tmp"

"$(dirname "$0")/make_project.sh" "$WORK/Big" "$MODULES" "$KB"

BYTES=$(cat "$WORK"/Big/*.bas | wc -c)
echo "Project: $MODULES modules, $BYTES bytes of source"

HOME="$WORK/home" TMPDIR="$WORK/tmp" QUILLMARK_REGISTRY="$WORK/registry.reg" \
  QUILLMARK_SYSTEM_DIR="$WORK/system" LC_ALL=C.UTF-8 \
  /usr/bin/time -v -o "$WORK/time.txt" \
  "$QUILLMARK" --quiet --yes --target project --output "$WORK/site/" "$WORK/Big"

PAGES=$(ls "$WORK/site" | wc -l)
OUTPUT=$(cat "$WORK"/site/* | wc -c)
awk -v bytes="$BYTES" -v pages="$PAGES" -v output="$OUTPUT" '
  /Elapsed \(wall clock\)/ {
    n = split($NF, t, ":"); secs = 0
    for (i = 1; i <= n; i++) secs = secs * 60 + t[i]
  }
  /User time \(seconds\)/ { cpu += $NF }
  /System time \(seconds\)/ { cpu += $NF }
  /Maximum resident set size/ { rss = $NF }
  END {
    mb = bytes / 1048576
    printf "Site: %d files, %d bytes\n", pages, output
    printf "Time: %.2f s wall clock, %.2f s of processor (user + system)\n", secs, cpu
    printf "Throughput: %.1f MB/s of source (%.1f MB/s per processor second)\n", mb / (secs > 0 ? secs : 0.01), mb / (cpu > 0 ? cpu : 0.01)
    printf "Peak memory: %.1f MB resident\n", rss / 1024
  }' "$WORK/time.txt"

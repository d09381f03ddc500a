#!/usr/bin/env bash
# Runs the fuzz targets of fuzz/ with libFuzzer, each for a given time, at
# most two at a time (the machine's two cores are shared).
#
#   tools/fuzz.sh [-t SECONDS] [-j JOBS] [TARGET ...]     (default: 1800 s each, 2 jobs, every target)
#   make fuzz FUZZ_TIME=1800                              (the same through make)
#
# Builds build-fuzz with clang++-14 (QUILLMARK_FUZZ=ON: coverage, ASan, UBSan;
# FUZZ_NO_BUILD=1 runs the fuzzers already built)
# and grows a working corpus per target in build-fuzz/corpus/<target>, seeded
# from fuzz/corpus/<target> (with the dictionary fuzz/vba.dict or
# fuzz/reg.dict where one fits). A crash, hang (10 s), leak, out-of-memory or
# sanitizer report stops that target and leaves the input in
# build-fuzz/artifacts/<target>/; the log is build-fuzz/logs/<target>.log.
# Exits 1 when any target left an artifact. After a fix, copy the input to
# fuzz/regressions/<target>/ so the replay test keeps it fixed.
set -eu
cd "$(dirname "$0")/.."
TIME=1800
JOBS=2
while getopts t:j: opt; do
  case $opt in
    t) TIME=$OPTARG ;;
    j) JOBS=$OPTARG ;;
    *) sed -n 2,14p "$0"; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
TARGETS=${*:-line page office exported reg decompress dir}
BUILD=${FUZZ_BUILD:-build-fuzz}

if [ ! -f "$BUILD/build.ninja" ]; then
  cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
        -DQUILLMARK_FUZZ=ON -DQUILLMARK_TESTS=OFF -DQUILLMARK_BENCHMARKS=OFF
fi
[ "${FUZZ_NO_BUILD:-0}" = 1 ] || cmake --build "$BUILD" --target quillmark_fuzzers

# run_target NAME: one target for TIME seconds.
run_target() {
  name=$1
  mkdir -p "$BUILD/corpus/$name" "$BUILD/artifacts/$name" "$BUILD/logs"
  cp -n fuzz/corpus/"$name"/* "$BUILD/corpus/$name/" 2>/dev/null || true
  dict=()
  # Leaks inside libgsf are suppressed by name (fuzz/lsan.supp), which needs
  # the slow unwinder through glib's frames; only the Office target reaches it.
  unwind=
  [ "$name" = office ] && unwind=:fast_unwind_on_malloc=0
  case $name in
    line|page) dict=(-dict=fuzz/vba.dict) ;;
    reg) dict=(-dict=fuzz/reg.dict) ;;
  esac
  echo "fuzz_$name: ${TIME}s from $(date +%H:%M:%S)"
  ASAN_OPTIONS=detect_leaks=1$unwind LSAN_OPTIONS=suppressions=fuzz/lsan.supp UBSAN_OPTIONS=print_stacktrace=1 \
    "$BUILD/bin/fuzz_$name" -max_total_time="$TIME" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
      -print_final_stats=1 -artifact_prefix="$BUILD/artifacts/$name/" "${dict[@]}" \
      "$BUILD/corpus/$name" fuzz/corpus/"$name" >"$BUILD/logs/$name.log" 2>&1 || true
  echo "fuzz_$name: done at $(date +%H:%M:%S), $(grep -c '' "$BUILD/logs/$name.log") log lines," \
       "$(ls "$BUILD/artifacts/$name" | wc -l) artifact(s)"
}

running=0
for name in $TARGETS; do
  if [ "$running" -ge "$JOBS" ]; then
    wait -n
    running=$((running - 1))
  fi
  run_target "$name" &
  running=$((running + 1))
done
wait

found=0
for name in $TARGETS; do
  for artifact in "$BUILD/artifacts/$name"/*; do
    [ -e "$artifact" ] || continue
    echo "finding: $artifact"
    found=1
  done
done
exit $found

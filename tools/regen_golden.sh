#!/usr/bin/env bash
# Rewrites the golden pages under tests/data/ from the current converter.
# Run it only after a change to the pages was intended, then review the
# result with `git diff tests/data` before committing it.
#   tools/regen_golden.sh [build-dir]     (default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-build}"
case "$build" in /*) ;; *) build="$root/$build" ;; esac
if [ ! -f "$build/build.ninja" ] && [ ! -f "$build/Makefile" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target quillmark_convert_tests
QUILLMARK_SOURCE_DIR="$root" QUILLMARK_REGEN_GOLDEN=1 \
  "$build/bin/quillmark_convert_tests" --gtest_filter='GoldenTest.*'
git -C "$root" status --short -- tests/data

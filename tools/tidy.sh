#!/usr/bin/env bash
# Runs clang-tidy with the checks in .clang-tidy over the program's own sources
# (framework, audio, analysis, viewer, cp, platform; not the tests, benchmarks
# or fuzz targets), two files at a time, with the linux preset's compile
# commands. Fails on any finding, printing it.
#
# Usage: tools/tidy.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
tools/install-deps.sh build lint
cmake --preset linux >/dev/null

dirs='(framework|audio|analysis|viewer|cp|platform)'
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Headers count when they are the program's own, reached from these sources.
if ! run-clang-tidy -quiet -j 2 -p build/linux -header-filter="^$root/$dirs/" "^$root/$dirs/" >"$log" 2>&1; then
  # Only the findings and compiler errors, not the per-file command lines.
  grep -E '(warning|error):' "$log" | sort -u || cat "$log"
  echo "tidy: clang-tidy found the problems above" >&2
  exit 1
fi
echo "tidy: clean"

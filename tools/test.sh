#!/usr/bin/env bash
# Builds Warblet and runs every test: the optimised build and the sanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh build
for preset in linux sanitize; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset" -j2
done

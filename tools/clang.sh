#!/usr/bin/env bash
# Builds everything with clang and runs every test, so that the code keeps to
# what both compilers accept (the clang packages come with the fuzz group).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh build fuzz
cmake --preset clang >/dev/null
cmake --build --preset clang
ctest --preset clang -j2

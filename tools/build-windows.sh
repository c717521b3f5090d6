#!/usr/bin/env bash
# Cross-builds the Windows program for x86_64 and i686 with MinGW-w64.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh build windows
for preset in mingw-x86_64 mingw-i686; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

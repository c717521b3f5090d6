#!/usr/bin/env bash
# Builds Warblet for this system and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh build
cmake --preset linux >/dev/null
cmake --build --preset linux --target warblet
exec build/linux/viewer/warblet "$@"

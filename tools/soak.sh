#!/usr/bin/env bash
# The soak: a day of the whole program in virtual time on the scripted host
# (tests/soak/), in the optimised build. It prints the virtual and the real time
# it took.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh build
cmake --preset linux >/dev/null
cmake --build --preset linux --target soak_tests
ctest --preset soak

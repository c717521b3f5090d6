#!/usr/bin/env bash
# The code SDL's audio thread crosses, under ThreadSanitizer: the SDL capture
# on SDL's file-reading driver, the sample queue and the wave input, then a
# real capture from a virtual microphone (tools/capture-check.sh). A data race
# or a lock-order inversion fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh build
cmake --preset tsan >/dev/null
cmake --build --preset tsan
ctest --preset tsan -j2
# The preset sets these for ctest; the capture check runs outside it.
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tools/tsan.supp"
tools/capture-check.sh tsan

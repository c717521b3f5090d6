#!/usr/bin/env bash
# Runs the conformance tests on every implementation of the Win32 subset, prints
# how many tests ran on each side, and fails when any test fails on any side:
#   portable, scripted host   build/linux/tests/conformance/conformance_tests
#   portable, SDL2 host       the same program with --host=sdl, on Xvfb
#   Windows, 64 and 32 bits   build/mingw-x86_64-conformance/tests/conformance/
#                             conformance_tests.exe and the same in
#                             build/mingw-i686-conformance/, under Wine, on Xvfb
# Arguments go to every run, for instance --gtest_filter='MessageWait.*'.
#
# Usage: tools/conformance.sh [GOOGLETEST ARGUMENTS...]
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh build windows mic wine
cmake --preset linux >/dev/null
cmake --build --preset linux --target conformance_tests
for preset in mingw-x86_64-conformance mingw-i686-conformance; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

portable=build/linux/tests/conformance/conformance_tests
windows_tests() { echo "build/mingw-$1-conformance/tests/conformance/conformance_tests.exe"; }
reports=$(mktemp -d /tmp/warblet-conformance.XXXXXX)
trap 'rm -rf "$reports"' EXIT

failed=()
# side NAME COMMAND...: runs one side within a time limit and reports on it.
side() {
  local name=$1
  shift
  local report="$reports/${name//[^a-zA-Z0-9]/_}.txt" status=0
  timeout --kill-after=10 300 "$@" >"$report" 2>&1 || status=$?
  # GoogleTest's closing count: "[==========] 15 tests from 4 test suites ran."
  local ran
  ran=$(sed -n 's/^\[==========\] \([0-9]*\) tests\{0,1\} from .* ran\..*/\1/p' "$report" | tail -n 1)
  # A skipped test is a behaviour left unchecked on that side: a failure here.
  local skipped
  skipped=$(grep -c '^\[  SKIPPED \]' "$report" || true)
  if [ "$status" -eq 0 ] && [ -n "$ran" ] && [ "$ran" -gt 0 ] && [ "$skipped" -eq 0 ]; then
    echo "conformance: $name: $ran tests ran, all passed"
  else
    cat "$report"
    echo "conformance: $name: FAILED (exit status $status, ${ran:-no} tests ran, $skipped skipped)"
    failed+=("$name")
  fi
}

# The real sides capture from a virtual microphone.
. tools/virtual-mic.sh
virtual_mic_tones "$reports/tone.raw" 600 1000
virtual_mic_start "$reports" "$reports/tone.raw"
trap 'kill "$virtual_mic_player" "$virtual_mic_server" 2>/dev/null || true; rm -rf "$reports"' EXIT

side "portable subset, scripted host" "$portable" "$@"
side "portable subset, SDL2 host on Xvfb" tools/on-xvfb.sh "$portable" --host=sdl "$@"
side "Windows x86_64 under Wine on Xvfb" tools/on-xvfb.sh tools/wine-run.sh "$(windows_tests x86_64)" "$@"
if tools/runs-32-bit.sh; then
  side "Windows i686 under Wine on Xvfb" tools/on-xvfb.sh tools/wine-run.sh "$(windows_tests i686)" "$@"
else
  echo "conformance: Windows i686 under Wine: NOT RUN, the machine cannot run 32-bit code"
fi

if [ ${#failed[@]} -gt 0 ]; then
  printf "conformance: failed on: %s\n" "${failed[@]}" >&2
  exit 1
fi

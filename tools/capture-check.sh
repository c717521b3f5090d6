#!/usr/bin/env bash
# Captures for real through the Linux build's wave input and the SDL2 host:
#   1. with a virtual PulseAudio microphone playing 1000 Hz, one second of the
#      capture must be that tone, within 1%, with nothing dropped;
#   2. when the sound server is stopped in the middle of a capture, samples
#      stop and the stream closes without a crash or a hang;
#   3. with no sound server at all, opening fails with a reason.
# Usage: tools/capture-check.sh [PRESET]   (by default linux; tsan for the
# build under ThreadSanitizer)
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-linux}
tools/install-deps.sh build mic
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target capture_check
check=build/$preset/tests/audio/capture_check

dir=$(mktemp -d /tmp/warblet-capture.XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$dir"
}
trap cleanup EXIT
fail() {
  echo "capture-check: $*" >&2
  exit 1
}

source tools/virtual-mic.sh
virtual_mic_tones "$dir/tone.raw" 60 1000
virtual_mic_start "$dir" "$dir/tone.raw"
pids+=("$virtual_mic_server" "$virtual_mic_player")

echo "== a 1000 Hz tone"
timeout 30 "$check" tone 1000 || fail "the tone did not arrive"

echo "== the sound server goes away"
timeout 60 "$check" vanish >"$dir/vanish.log" 2>&1 &
vanish=$!
for _ in $(seq 100); do grep -q capturing "$dir/vanish.log" && break; sleep 0.1; done
grep -q capturing "$dir/vanish.log" || { cat "$dir/vanish.log"; fail "no capture started"; }
kill "$virtual_mic_server"
status=0
wait "$vanish" || status=$?
cat "$dir/vanish.log"
[ "$status" -eq 0 ] || fail "the capture did not end cleanly (status $status)"

echo "== no sound server"
timeout 30 "$check" none 2>"$dir/none.err" || { cat "$dir/none.err"; fail "a missing microphone was not reported"; }
cat "$dir/none.err"
grep -q "no wave input device: ." "$dir/none.err" || fail "no reason was given"
echo "capture-check: all held"

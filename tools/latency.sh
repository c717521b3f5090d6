#!/usr/bin/env bash
# Measures how soon a sound shows: the delay from a tone's first sample at the
# microphone to the first pixel that shows it, at the window's right edge in
# the tone's row, as p50, p95 and max over many onsets at random times.
#
#   tools/latency.sh [ONSETS] [PROGRAM]
#       the real Linux program (default build/linux/viewer/warblet, built
#       first) on a virtual display, fed by the virtual microphone in 5 ms
#       blocks: silence, and a loud 1000 Hz tone after random pauses; the
#       screen is read back every 0.5 ms or so (build/linux/tests/latency/
#       screen_latency). ONSETS defaults to 60.
#   tools/latency.sh check DELAY_MS [ONSETS]
#       the same measurement of a stand-in that lights the pixel DELAY_MS
#       after it captured the tone (delay_check): the tool must find DELAY_MS.
#   tools/latency.sh virtual [ONSETS]
#       the whole program in virtual time on the scripted host, beside the floor
#       that its buffer, hop and frame sizes set (latency_report; default 400).
set -euo pipefail
cd "$(dirname "$0")/.."
mode=real
case "${1:-}" in
  virtual | check) mode=$1 && shift ;;
esac
tools/install-deps.sh build
cmake --preset linux >/dev/null

if [ "$mode" = virtual ]; then
  cmake --build --preset linux --target latency_report
  exec build/linux/tests/latency/latency_report "${1:-400}"
fi

tools/install-deps.sh mic screen
if [ "$mode" = check ]; then
  delay=${1:?usage: tools/latency.sh check DELAY_MS [ONSETS]}
  onsets=${2:-60}
  program=(build/linux/tests/latency/delay_check "$delay")
  targets=(screen_latency delay_check)
else
  onsets=${1:-60}
  program=("${2:-build/linux/viewer/warblet}")
  targets=(screen_latency)
  [ -n "${2:-}" ] || targets+=(warblet)
fi
cmake --build --preset linux --target "${targets[@]}"

. tools/session.sh
session_start 1024x768
"${program[@]}" >"$session_dir/out.log" 2>&1 &
app=$!
session_track "$app"
window=$(window_find '^Warblet' 10) || { cat "$session_dir/out.log" >&2; exit 1; }
# The first seconds on the screen are the start-up; what follows is steady.
sleep 2
echo "latency: ${program[*]}, $onsets onsets"
build/linux/tests/latency/screen_latency "$window" "$onsets"

#!/usr/bin/env bash
# Builds Warblet for this system and runs it.
#
# On a machine with no display (neither DISPLAY nor WAYLAND_DISPLAY set) it
# shows what the program does instead: it runs it for a few seconds on a virtual
# display (Xvfb) with a virtual microphone playing a warble, a tone sweeping up
# and down, saves a screenshot of the window and prints where it is.
#
# Usage: tools/run.sh [SECONDS]   (SECONDS only without a display; by default 9,
#                                 which fills the window's eight seconds)
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh build
cmake --preset linux >/dev/null
cmake --build --preset linux --target warblet
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/linux/viewer/warblet
fi

seconds=${1:-9}
tools/install-deps.sh e2e
echo "run: no display here, so Warblet runs on a virtual display for $seconds s," \
  "hearing a warble from a virtual microphone"
dir=$(mktemp -d /tmp/warblet-run.XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$dir"
}
trap cleanup EXIT
. tools/xvfb.sh
. tools/virtual-mic.sh
. tools/screen.sh
xvfb_start 1280x800 "$dir/xvfb.log"
pids+=("$xvfb_pid")
virtual_mic_warble "$dir/warble.raw" "$((seconds + 2))"
virtual_mic_start "$dir" "$dir/warble.raw"
pids+=("$virtual_mic_server" "$virtual_mic_player")

build/linux/viewer/warblet >"$dir/out.log" 2>&1 &
app=$!
pids+=("$app")
window=$(window_find '^Warblet' 10) || { cat "$dir/out.log" >&2; exit 1; }
sleep "$seconds"
shot=$(realpath -m build/run/warblet.png)
mkdir -p "$(dirname "$shot")"
shoot "$window" "$shot"
press "$window" q
status=0
wait "$app" || status=$?
cat "$dir/out.log"
echo "run: Warblet ended with exit code $status; its window after $seconds s: $shot"
exit "$status"

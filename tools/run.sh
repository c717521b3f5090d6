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
tools/install-deps.sh mic screen
echo "run: no display here, so Warblet runs on a virtual display for $seconds s," \
  "hearing a warble from a virtual microphone"
. tools/session.sh
session_start 1280x800
dir=$session_dir
virtual_mic_warble "$dir/warble.raw" "$((seconds + 2))"
virtual_mic_play "$dir/warble.raw"
session_track "$virtual_mic_player"

build/linux/viewer/warblet >"$dir/out.log" 2>&1 &
app=$!
session_track "$app"
window=$(window_find '^Warblet' 10) || { cat "$dir/out.log" >&2; exit 1; }
sleep "$seconds"
shot=$(realpath -m build/run/warblet.png)
mkdir -p "$(dirname "$shot")"
shoot "$window" "$shot"
press "$window" q
session_wait "$app" 10 || { cat "$dir/out.log" >&2; echo "run: Warblet did not quit on Q" >&2; exit 1; }
cat "$dir/out.log"
echo "run: Warblet ended with exit code $session_status; its window after $seconds s: $shot"
[ "$session_status" -eq 0 ]

#!/usr/bin/env bash
# Runs a built Warblet for real on a virtual display with a virtual microphone,
# takes a screenshot after a while, and stops the program.
#
# Usage: tools/e2e.sh linux|windows SECONDS SHOT.png
#   linux:   build/linux/viewer/warblet on Xvfb with the SDL2 host
#   windows: build/mingw-x86_64/viewer/warblet.exe under Wine
# The microphone is a PulseAudio null sink whose monitor is the default source;
# a 1000 Hz tone plays into it. Prints the program's exit status, or "running"
# when it was still running at the screenshot (then it is stopped).
set -euo pipefail
cd "$(dirname "$0")/.."
kind=${1:?linux or windows}
seconds=${2:?seconds before the screenshot}
shot=$(realpath -m "${3:?screenshot file}")
tools/install-deps.sh e2e

dir=$(mktemp -d /tmp/warblet-e2e.XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$dir"
}
trap cleanup EXIT

# Display.
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1280x800x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 &
pids+=($!)
read -r -t 10 display <&"$fd" || { echo "e2e: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display"

# Microphone.
source tools/virtual-mic.sh
virtual_mic_start "$dir" 1000 120
pids+=("$virtual_mic_server" "$virtual_mic_player")

# Program.
case "$kind" in
  linux)
    program=(build/linux/viewer/warblet)
    ;;
  windows)
    . tools/wine-prefix.sh
    wine_prefix "$dir/wine"
    program=(wine build/mingw-x86_64/viewer/warblet.exe)
    ;;
  *) echo "e2e: unknown kind '$kind' (linux or windows)" >&2; exit 2 ;;
esac
"${program[@]}" >"$dir/out.log" 2>&1 &
app=$!
sleep "$seconds"
xwd -root -silent | convert xwd:- "png:$shot"
if kill -0 "$app" 2>/dev/null; then
  echo "running"
  kill "$app" 2>/dev/null || true
  [ "$kind" = windows ] && wineserver -k 2>/dev/null || true
else
  wait "$app" && status=0 || status=$?
  echo "exit $status"
fi
cat "$dir/out.log"

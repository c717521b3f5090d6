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
mkdir -p -m 700 "$dir/xdg" "$dir/pulse"
export XDG_RUNTIME_DIR="$dir/xdg" PULSE_SERVER="unix:$dir/pulse/native"
cat >"$dir/pulse/vmic.pa" <<PA
load-module module-native-protocol-unix auth-anonymous=1 socket=$dir/pulse/native
load-module module-null-sink sink_name=vmic_sink
load-module module-remap-source source_name=vmic master=vmic_sink.monitor
set-default-sink vmic_sink
set-default-source vmic
PA
pulseaudio --daemonize=no --exit-idle-time=-1 -n -F "$dir/pulse/vmic.pa" >"$dir/pulse.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null || { echo "e2e: PulseAudio did not start" >&2; exit 1; }
sox -n -r 48000 -c 1 -b 16 -e signed-integer -t raw "$dir/tone.raw" synth 120 sine 1000 vol 0.5
pacat --playback -d vmic_sink --rate=48000 --channels=1 --format=s16le --latency-msec=20 "$dir/tone.raw" &
pids+=($!)

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

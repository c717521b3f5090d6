#!/usr/bin/env bash
# Runs the real program end to end on a virtual display (Xvfb, 1280 x 800) with
# a virtual PulseAudio microphone, drives it with xdotool and checks each step on
# a screenshot with row_check (tests/e2e/):
#   1. tones of 250, 500, 1000 and 1500 Hz, a second each, show as lines in
#      their predicted rows, oldest on the left, and the picture scrolls;
#   2. space pauses: "(paused)" shows and the picture stands still; space again
#      resumes;
#   3. 'l' shows the level meter's outline, and 'l' again hides it;
#   4. F1 goes full screen, where a 1000 Hz tone lies in the row predicted for
#      the screen's height; F1 again gives back the window at its first
#      size, centred on the screen;
#   5. Q quits with exit code 0;
#   6. with no sound server, the failure message box shows, and once Return
#      dismisses it the program ends with exit code 0.
#
# Usage: tools/e2e.sh linux|windows [SHOT_DIR]
#   linux:   build/linux/viewer/warblet with the SDL2 host
#   windows: build/mingw-x86_64/viewer/warblet.exe under Wine, in a fresh prefix
# The screenshots stay in SHOT_DIR (by default build/e2e/linux or
# build/e2e/windows), named by step.
set -euo pipefail
cd "$(dirname "$0")/.."
kind=${1:?usage: tools/e2e.sh linux|windows [SHOT_DIR]}
case "$kind" in
  linux) program=(build/linux/viewer/warblet) ;;
  windows) program=(wine build/mingw-x86_64/viewer/warblet.exe) ;;
  *) echo "e2e: unknown kind '$kind' (linux or windows)" >&2; exit 2 ;;
esac
shots=$(realpath -m "${2:-build/e2e/$kind}")
started=$SECONDS

tools/install-deps.sh build e2e
cmake --preset linux >/dev/null
if [ "$kind" = linux ]; then
  cmake --build --preset linux --target warblet row_check
else
  tools/install-deps.sh windows
  cmake --build --preset linux --target row_check
  cmake --preset mingw-x86_64 >/dev/null
  cmake --build --preset mingw-x86_64 --target warblet
fi
row_check=build/linux/tests/e2e/row_check

dir=$(mktemp -d /tmp/warblet-e2e.XXXXXX)
mkdir -p "$shots"
rm -f "$shots"/*.png
pids=()
app=""
cleanup() {
  [ -z "$app" ] || kill "$app" 2>/dev/null || true
  [ "$kind" != windows ] || [ -z "${WINEPREFIX:-}" ] || wineserver -k 2>/dev/null || true
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$dir"
}
trap cleanup EXIT

fail() {
  echo "e2e $kind: FAILED: $*" >&2
  echo "--- the program's output:" >&2
  cat "$dir/out.log" >&2 2>/dev/null || true
  echo "--- screenshots: $shots" >&2
  exit 1
}
step() { echo "== $kind: $*"; }
# shot NAME: the screen as $shots/NAME.png, and as $dir/NAME.ppm for row_check.
shot() { shoot root "$shots/$1.png" "$dir/$1.ppm"; }
# check AREA CHECK SHOT [ARGUMENTS...]: one row_check on a screenshot taken before.
check() {
  local area=$1 what=$2 name=$3
  shift 3
  local files=("$dir/$name.ppm")
  [ "$what" != moved ] || { files+=("$dir/$1.ppm"); shift; }
  "$row_check" "$area" "$what" "${files[@]}" "$@" | sed 's/^/   /' || fail "$what on $name.png"
}
start_program() {
  "${program[@]}" >"$dir/out.log" 2>&1 &
  app=$!
}
# exits_with STATUS SECONDS: the program ends within SECONDS with that status.
exits_with() {
  local want=$1 seconds=$2 _ status=0
  for _ in $(seq "$((seconds * 10))"); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$app" 2>/dev/null && fail "still running $seconds s later"
  wait "$app" || status=$?
  app=""
  [ "$status" -eq "$want" ] || fail "exit code $status, not $want"
  echo "   exit code $status"
}

. tools/xvfb.sh
. tools/virtual-mic.sh
. tools/screen.sh
screen=1280x800
xvfb_start "$screen" "$dir/xvfb.log"
pids+=("$xvfb_pid")
virtual_mic_start "$dir"
pids+=("$virtual_mic_server")
virtual_mic_tones "$dir/sequence.raw" 1 250 500 1000 1500
virtual_mic_tones "$dir/tone.raw" 4 1000
if [ "$kind" = windows ]; then
  step "a fresh Wine prefix"
  . tools/wine-prefix.sh
  wine_prefix "$dir/wine"
fi
title='^Warblet'
# Wine's time to first show a window in a fresh prefix varies the most.
window_wait=20

step "tones of 250, 500, 1000 and 1500 Hz"
start_program
window=$(window_find "$title" "$window_wait") || fail "no window"
framed=$(window_geometry "$window")
area=$(client_area "$window" 500 400)
echo "   window $framed, client area $area"
virtual_mic_play "$dir/sequence.raw"
pids+=("$virtual_mic_player")
# The player ends once the sequence has been played; the newest columns then
# follow it by the capture's latency and one analysis frame.
wait "$virtual_mic_player" || fail "the tones did not play"
sleep 0.6
shot tones
check "$area" tones tones 250 500 1000 1500
check "$area" meter tones hidden
check "$area" paused tones hidden
sleep 0.3
shot scrolled
check "$area" moved tones scrolled yes

step "space pauses, space again resumes"
press "$window" space
sleep 0.4
shot paused
sleep 1
shot still-paused
check "$area" paused paused shown
check "$area" moved paused still-paused no
press "$window" space
sleep 0.5
shot resumed
check "$area" paused resumed hidden
check "$area" moved still-paused resumed yes

step "'l' shows the level meter, 'l' again hides it"
press "$window" l
sleep 0.4
shot meter
check "$area" meter meter shown
press "$window" l
sleep 0.4
shot no-meter
check "$area" meter no-meter hidden

step "F1 goes full screen and back"
virtual_mic_play "$dir/tone.raw"
pids+=("$virtual_mic_player")
press "$window" F1
window_wait_geometry "$title" "$screen+0+0" 5 || fail "F1 did not go full screen"
sleep 2.5
shot full-screen
check "$screen+0+0" tones full-screen 1000
window=$(window_find "$title" 5) || fail "no window in full screen"
press "$window" F1
# The window comes back with its first size, centred on the screen.
screen_width=${screen%x*} screen_height=${screen#*x}
back="${framed%%+*}+$(((screen_width - 500) / 2))+$(((screen_height - 400) / 2))"
window_wait_geometry "$title" "$back" 5 || fail "F1 again did not give back the window"
echo "   window $back"

step "Q quits"
window=$(window_find "$title" 5) || fail "no window after full screen"
press "$window" q
exits_with 0 10

step "no sound server: the failure message box"
kill "$virtual_mic_player" 2>/dev/null || true
kill "$virtual_mic_server"
wait "$virtual_mic_server" 2>/dev/null || true
start_program
box=$(window_find '^Error$' "$window_wait") || fail "no message box"
sleep 0.5
shot no-microphone
press "$box" Return
exits_with 0 10
if [ "$kind" = linux ]; then
  # The portable side also writes every message box to stderr.
  grep -q "Sorry, looks like your audio system is not compatible with Warblet." "$dir/out.log" ||
    fail "the message box's text is not the failure message"
fi

echo "e2e $kind: all held in $((SECONDS - started)) s; screenshots in $shots"

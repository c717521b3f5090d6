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
# The wayland kind runs instead the Linux program on native Wayland: Weston in
# the virtual display, the program with no X display at all; a 1000 Hz tone
# shows in its predicted row on a screenshot of Weston's output, SIGTERM ends
# the program with exit code 0; with a window it cannot draw in, and with no
# compositor to reach, the program says so and ends with exit code 1, as with
# no display.
# --rough and --pipewire run other steps instead (tools/e2e-rough.sh): a rough
# user, with the sound server restarted under the way; PipeWire as the sound
# server, restarted too. PipeWire's run has a private session bus of its own.
#
# Usage: tools/e2e.sh [--rough|--pipewire] linux|sanitize|windows|wayland [SHOT_DIR [PROGRAM [ARGUMENTS...]]]
#   linux:    PROGRAM with the SDL2 host; by default build/linux/viewer/warblet
#   sanitize: build/sanitize/viewer/warblet, the same under AddressSanitizer,
#             UndefinedBehaviorSanitizer and the leak checker; any report they
#             make fails the run
#   windows:  PROGRAM under Wine, in a fresh prefix; by default
#             build/mingw-x86_64/viewer/warblet.exe
#   wayland:  PROGRAM with the SDL2 host on Weston (SDL_VIDEODRIVER=wayland);
#             by default build/linux/viewer/warblet
# Without a PROGRAM the default one is built first; a PROGRAM given (an unpacked
# release, the 32-bit build, an installed program) is run as it is. The
# screenshots stay in SHOT_DIR (by default build/e2e/KIND, or KIND-rough and
# KIND-pipewire), named by step.
set -euo pipefail
cd "$(dirname "$0")/.."
usage="usage: tools/e2e.sh [--rough|--pipewire] linux|sanitize|windows|wayland [SHOT_DIR [PROGRAM [ARGUMENTS...]]]"
scenario=usual
case "${1:-}" in
  --rough | --pipewire)
    scenario=${1#--}
    shift
    ;;
esac
kind=${1:?$usage}
case "$kind" in
  linux | sanitize) program=("build/$kind/viewer/warblet") ;;
  windows) program=(build/mingw-x86_64/viewer/warblet.exe) ;;
  wayland) program=(build/linux/viewer/warblet) ;;
  *) echo "e2e: unknown kind '$kind' (linux, sanitize, windows or wayland)" >&2; exit 2 ;;
esac
[ "$scenario" = usual ] || [ "$kind" != wayland ] || { echo "e2e: --$scenario runs on X11 only" >&2; exit 2; }
if [ "$scenario" = pipewire ]; then
  [ "$kind" != windows ] || { echo "e2e: --pipewire runs the Linux program only" >&2; exit 2; }
  tools/install-deps.sh pipewire
  # WirePlumber wants a session bus; this run's own goes away with it.
  [ -n "${e2e_private_bus:-}" ] || exec env e2e_private_bus=yes dbus-run-session -- "$0" --pipewire "$@"
  . tools/pipewire-mic.sh
fi
# What the sound and desktop libraries keep until exit is theirs: the one
# suppressions file names them.
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp print_suppressions=0"
label=$kind shot_dir=build/e2e/$kind
[ "$scenario" = usual ] || label+=" $scenario" shot_dir+=-$scenario
shots=$(realpath -m "${2:-$shot_dir}")
given=$#
[ "$given" -lt 3 ] || program=("${@:3}")
[ "$kind" != windows ] || program=(wine "${program[@]}")
# Without DISPLAY SDL can reach no X server, not even through Xwayland.
[ "$kind" != wayland ] || program=(env -u DISPLAY SDL_VIDEODRIVER=wayland "${program[@]}")

tools/install-deps.sh build mic screen
if [ "$kind" = wayland ]; then
  tools/install-deps.sh wayland
fi
cmake --preset linux >/dev/null
cmake --build --preset linux --target row_check
if [ "$given" -ge 3 ]; then
  [ "$kind" != windows ] || tools/install-deps.sh wine
elif [ "$kind" = wayland ]; then
  cmake --build --preset linux --target warblet
elif [ "$kind" != windows ]; then
  cmake --preset "$kind" >/dev/null
  cmake --build --preset "$kind" --target warblet
else
  tools/install-deps.sh windows wine
  cmake --preset mingw-x86_64 >/dev/null
  cmake --build --preset mingw-x86_64 --target warblet
fi
row_check=build/linux/tests/e2e/row_check
started=$SECONDS

. tools/session.sh
screen=1280x800
session_start "$screen"
dir=$session_dir
# Wine's server outlives the program; it goes with the session.
trap '[ -z "${WINEPREFIX:-}" ] || wineserver -k 2>/dev/null || true; session_stop' EXIT
mkdir -p "$shots"
rm -f "$shots"/*.png

fail() {
  echo "e2e $label: FAILED: $*" >&2
  echo "--- the program's output:" >&2
  cat "$dir/out.log" >&2 2>/dev/null || true
  echo "--- screenshots: $shots" >&2
  exit 1
}
step() { echo "== $label: $*"; }
# shot NAME: the screen as $shots/NAME.png, and as $dir/NAME.ppm for row_check.
shot() { shoot root "$shots/$1.png" "$dir/$1.ppm"; }
# check AREA CHECK SHOT [ARGUMENTS...]: row_check on a screenshot taken
# before; the "moved" check compares SHOT with an earlier shot, named first
# among the arguments. What row_check found is left in report.
report=""
check() {
  local area=$1 what=$2 name=$3
  shift 3
  local files=("$dir/$name.ppm")
  [ "$what" != moved ] || { files=("$dir/$1.ppm" "$dir/$name.ppm"); shift; }
  report=$("$row_check" "$area" "$what" "${files[@]}" "$@") || { sed 's/^/   /' <<<"$report"; return 1; }
  sed 's/^/   /' <<<"$report"
}
# expect AREA CHECK SHOT [ARGUMENTS...]: takes the screenshot SHOT and checks
# it. What a key does reaches the screen a paint later, at a moment the script
# cannot know, so a failed check is tried again on a new screenshot every 0.2 s
# for up to 3 s before it counts.
expect() {
  local _
  for _ in $(seq 15); do
    shot "$3"
    check "$@" >/dev/null && { sed 's/^/   /' <<<"$report"; return 0; }
    sleep 0.2
  done
  sed 's/^/   /' <<<"$report"
  fail "$2 on $3.png"
}
start_program() {
  "${program[@]}" >"$dir/out.log" 2>&1 &
  app=$!
  session_track "$app"
}
# exits_with STATUS SECONDS: the program ends within SECONDS with that status.
exits_with() {
  session_wait "$app" "$2" || fail "still running $2 s later"
  [ "$session_status" -eq "$1" ] || fail "exit code $session_status, not $1"
  # A report that did not change the exit code still fails the run.
  ! grep -qE "ERROR: [A-Za-z]+Sanitizer|runtime error:" "$dir/out.log" || fail "a sanitizer report"
  echo "   exit code $session_status"
}
# The 1000 Hz tone into the microphone, once.
play_tone() {
  virtual_mic_play "$dir/tone.raw"
  session_track "$virtual_mic_player"
}

virtual_mic_tones "$dir/sequence.raw" 1 250 500 1000 1500
virtual_mic_tones "$dir/tone.raw" 4 1000
if [ "$kind" = windows ]; then
  step "a fresh Wine prefix"
  . tools/wine-prefix.sh
  wine_prefix "$dir/wine"
fi
title='^Warblet'
# The client size the program starts with.
width=500 height=400
# Wine's time to first show a window in a fresh prefix varies the most.
window_wait=20
screen_width=${screen%x*} screen_height=${screen#*x}

if [ "$scenario" != usual ]; then
  . tools/e2e-rough.sh
  "e2e_$scenario"
  echo "e2e $label: all held in $((SECONDS - started)) s after the build; screenshots in $shots"
  exit 0
fi

if [ "$kind" = wayland ]; then
  . tools/weston.sh
  step "Weston on the virtual display"
  weston_start "$dir/runtime" "$screen" "$dir/weston.log" || fail "no Weston"
  session_track "$weston_pid"

  step "a 1000 Hz tone on native Wayland"
  start_program
  play_tone
  # Nothing tells a Wayland client's place on the screen: the client area is
  # found on the screenshot, once the window is there.
  area=""
  for _ in $(seq 50); do
    shot window
    area=$("$row_check" "${width}x$height" find "$dir/window.ppm" 2>/dev/null) && break
    kill -0 "$app" 2>/dev/null || fail "the program ended without a window"
    sleep 0.2
  done
  [ -n "$area" ] || fail "no ${width}x$height window on Weston's output"
  echo "   client area $area"
  sleep 1.5
  expect "$area" tones wayland-tone 1000

  step "SIGTERM ends it"
  kill -TERM "$app"
  exits_with 0 10

  step "a window nothing can be drawn in: the program says so and ends"
  # SDL's Wayland driver has no window surface of its own; told not to make
  # one through a renderer, it has none to give.
  SDL_FRAMEBUFFER_ACCELERATION=0 start_program
  exits_with 1 10
  grep -q "cannot draw in a window" "$dir/out.log" || fail "no word of the window that cannot be drawn in"
  sed -n 's/^/   /; /draw in/p' "$dir/out.log"

  step "no compositor: the program says so and ends, as with no display"
  WAYLAND_DISPLAY=nowhere start_program
  exits_with 1 10
  grep -q "cannot open a display" "$dir/out.log" || fail "no word of the missing display"
  sed -n 's/^/   /; /display/p' "$dir/out.log"

  echo "e2e $kind: all held in $((SECONDS - started)) s after the build; screenshots in $shots"
  exit 0
fi

step "tones of 250, 500, 1000 and 1500 Hz"
start_program
window=$(window_find "$title" "$window_wait") || fail "no window"
framed=$(window_geometry "$window")
area=$(client_area "$window" "$width" "$height")
echo "   window $framed, client area $area"
virtual_mic_play "$dir/sequence.raw"
session_track "$virtual_mic_player"
# The player ends once the sequence has been played; the newest columns then
# follow it by the capture's latency and one analysis frame.
session_wait "$virtual_mic_player" 30 && [ "$session_status" -eq 0 ] || fail "the tones did not play"
sleep 0.6
expect "$area" tones tones 250 500 1000 1500
check "$area" meter tones hidden || fail "a level meter before 'l'"
check "$area" paused tones hidden || fail "a \"(paused)\" label before space"
expect "$area" moved scrolled tones yes

step "space pauses, space again resumes"
press "$window" space
expect "$area" paused paused shown
sleep 1
shot still-paused
check "$area" moved still-paused paused no || fail "the picture moved while paused"
press "$window" space
expect "$area" paused resumed hidden
expect "$area" moved resumed still-paused yes

step "'l' shows the level meter, 'l' again hides it"
press "$window" l
expect "$area" meter meter shown
press "$window" l
expect "$area" meter no-meter hidden

step "F1 goes full screen and back"
play_tone
press "$window" F1
window_wait_geometry "$title" "$screen+0+0" 5 || fail "F1 did not go full screen"
sleep 2.5
expect "$screen+0+0" tones full-screen 1000
window=$(window_find "$title" 5) || fail "no window in full screen"
press "$window" F1
# The window comes back with its first size, centred on the screen.
back="${framed%%+*}+$(((screen_width - width) / 2))+$(((screen_height - height) / 2))"
window_wait_geometry "$title" "$back" 5 || fail "F1 again did not give back the window"
echo "   window $back"

step "Q quits"
window=$(window_find "$title" 5) || fail "no window after full screen"
press "$window" q
exits_with 0 10

step "no sound server: the failure message box"
for pid in "$virtual_mic_player" "$virtual_mic_server"; do
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
done
start_program
box=$(window_find '^Error$' "$window_wait") || fail "no message box"
sleep 0.5
shot no-microphone
press "$box" Return
exits_with 0 10
if [ "$kind" != windows ]; then
  # The portable side also writes every message box to stderr.
  grep -q "Sorry, looks like your audio system is not compatible with Warblet." "$dir/out.log" ||
    fail "the message box's text is not the failure message"
fi

echo "e2e $kind: all held in $((SECONDS - started)) s after the build; screenshots in $shots"

#!/usr/bin/env bash
# Measures what the real Linux program costs while it runs: on a virtual
# 1920 x 1080 display (Xvfb) with a virtual microphone playing a warble, it runs
# the program in its 500 x 400 window, then full screen (F1), SECONDS each, and
# prints for each size
#   - the program's CPU time (all its threads, user and system) per second of
#     the measured stretch, which starts two seconds after the size is reached;
#   - its peak resident memory so far (VmHWM);
#   - the CPU time of the display server over the same stretch, for context;
#   - the CPU time of a yardstick over the same stretch: a process that only
#     wakes a hundred times a second, as the program's frame timer does
#     (bench/wake_yardstick.cpp). What a wake-up costs on a shared machine
#     moves from minute to minute, and the program's figure with it;
# and then the same figures for the program's whole run so far; last, full
# screen still, the same for SECONDS with the sound server gone, while the
# program tries to open the microphone again every second.
#
# Usage: tools/measure.sh [SECONDS] [PROGRAM]   (default 20 and the Linux
# build's program, built first; another PROGRAM is run as it is)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
program=${2:-build/linux/viewer/warblet}
tools/install-deps.sh build mic screen
cmake --preset linux >/dev/null
targets=(wake_yardstick)
[ -n "${2:-}" ] || targets+=(warblet)
cmake --build --preset linux --target "${targets[@]}"

. tools/session.sh
screen=1920x1080
session_start "$screen"
dir=$session_dir
virtual_mic_warble "$dir/warble.raw" "$((2 * seconds + 15))"
# Played with a capture card's pace (see virtual_mic_play): at 20 ms the server
# would wake the program's audio thread every few milliseconds.
virtual_mic_play "$dir/warble.raw" 100
session_track "$virtual_mic_player"

ticks=$(getconf CLK_TCK)
# cpu_ticks PID: user and system time of every thread, in clock ticks. The
# command name (field 2) may hold spaces, so fields count from its ')'.
cpu_ticks() {
  local rest
  rest=$(sed 's/^.*) //' "/proc/$1/stat")
  awk '{ print $12 + $13 }' <<<"$rest"
}
# run_ns PID: CPU time of a single-threaded process in nanoseconds, finer
# than clock ticks for a process that uses a few milliseconds a second.
run_ns() { awk '{ print $1 }' "/proc/$1/schedstat"; }
peak_kib() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"; }
now_ms() { date +%s%3N; }

"$program" >"$dir/out.log" 2>&1 &
app=$!
session_track "$app"
build/linux/bench/wake_yardstick &
yardstick=$!
session_track "$yardstick"

# age_ticks PID: how long the process has existed, in clock ticks.
age_ticks() {
  local start
  start=$(sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $20 }')
  awk -v start="$start" -v hz="$ticks" '{ printf "%d\n", $1 * hz - start }' /proc/uptime
}

# measure LABEL: one stretch of SECONDS at the current size.
measure() {
  sleep 2
  local app0 xvfb0 yard0 t0 app1 xvfb1 yard1 t1
  app0=$(cpu_ticks "$app") xvfb0=$(cpu_ticks "$xvfb_pid") yard0=$(run_ns "$yardstick") t0=$(now_ms)
  sleep "$seconds"
  app1=$(cpu_ticks "$app") xvfb1=$(cpu_ticks "$xvfb_pid") yard1=$(run_ns "$yardstick") t1=$(now_ms)
  awk -v label="$1" -v a="$((app1 - app0))" -v x="$((xvfb1 - xvfb0))" -v y="$((yard1 - yard0))" \
    -v ms="$((t1 - t0))" -v hz="$ticks" -v peak="$(peak_kib "$app")" 'BEGIN {
      s = ms / 1000
      printf "%-12s %6.2f%% of one core (%.2f s of CPU in %.1f s), peak memory %.1f MB;" \
             " display server %.2f%%; yardstick %.2f%%\n", label, 100 * a / hz / s, a / hz, s, peak / 1024,
             100 * x / hz / s, 100 * y / 1e9 / s
    }'
}

window=$(window_find '^Warblet' 10) || { cat "$dir/out.log" >&2; exit 1; }
echo "measure: the program, $seconds s at each size, on a $screen virtual display:"
measure "500 x 400"
press "$window" F1
window_wait_geometry '^Warblet' "$screen+0+0" 5 || { cat "$dir/out.log" >&2; exit 1; }
measure "1920 x 1080"
awk -v a="$(cpu_ticks "$app")" -v age="$(age_ticks "$app")" -v hz="$ticks" -v peak="$(peak_kib "$app")" 'BEGIN {
  printf "%-12s %6.2f%% of one core (%.2f s of CPU in %.1f s, start-up and the switch included), peak memory %.1f MB\n",
         "whole run", 100 * a / age, a / hz, age / hz, peak / 1024
}'
virtual_mic_stop
measure "no server"
grep -q "capture device is gone" "$dir/out.log" || { echo "measure: the program did not notice the server go" >&2; exit 1; }
window=$(window_find '^Warblet' 5)
press "$window" q
session_wait "$app" 10 || { echo "measure: the program did not quit on Q" >&2; exit 1; }
[ "$session_status" -eq 0 ] || { cat "$dir/out.log" >&2; echo "measure: exit code $session_status" >&2; exit 1; }

# The end-to-end steps of a rough user and of a sound server that goes away.
# Sourced by tools/e2e.sh once its session, its helpers (fail, step, shot,
# check, expect, start_program, exits_with, play_tone, press) and the tone
# files are ready; defines functions only.
#
#   e2e_rough     resize storms from 1 x 1 to the whole screen, full-screen
#                 toggles and key spam; then, for the Linux program, the sound
#                 server stopped for 3 s and started again; a tone played
#                 afterwards lies in its row in the newest columns; Q quits
#                 with 0. (Under Wine a lost server stays lost: see the
#                 README.)
#   e2e_pipewire  with PipeWire as the sound server: a tone in its row, then
#                 PipeWire restarted and a tone in its row again; Q quits with 0

# The right-hand columns of the client area, where the newest sound is drawn.
newest_columns() {
  local w=${area%%x*} rest=${area#*x}
  local h=${rest%%+*} left=${rest#*+}
  local top=${left#*+}
  left=${left%%+*}
  echo "90x$h+$((left + w - 90))+$top"
}

now_ms() { date +%s%3N; }

# Starts the program and reads where its window and client area are.
start_windowed() {
  start_program
  window=$(window_find "$title" "$window_wait") || fail "no window"
  framed=$(window_geometry "$window")
  area=$(client_area "$window" "$width" "$height")
  echo "   window $framed, client area $area"
}

# The sound server goes away for 3 s and comes back; the picture stands still
# meanwhile, and moves again once capture resumes. Prints how long after the
# server's return the first new column came and the tone showed.
restart_server() {
  step "the sound server stopped for 3 s and started again"
  local stopped back first_column resumed
  virtual_mic_stop
  stopped=$(now_ms)
  sleep 1
  shot server-gone
  sleep 1
  shot still-gone
  check "$area" moved still-gone server-gone no || fail "the picture moved with no sound server"
  # Else a tone from before would pass for the one played after.
  ! check "$(newest_columns)" tones server-gone 1000 >/dev/null || fail "a tone in the newest columns already"
  virtual_mic_start "$dir" || fail "the sound server did not start again"
  session_track "${virtual_mic_servers[@]}"
  back=$(now_ms)
  play_tone
  while shot returned; ! check "$area" moved returned server-gone yes >/dev/null; do
    [ "$(($(now_ms) - back))" -lt 5000 ] || fail "the picture stood still 5 s after the server came back"
  done
  first_column=$(($(now_ms) - back))
  expect "$(newest_columns)" tones after-restart 1000
  sed 's/^/   the program: /' "$dir/out.log"
  # The program counts from when it saw the device go, right after the stop.
  resumed=$(sed -n 's/.*capture resumed after \([0-9.]*\) s.*/\1/p' "$dir/out.log" | awk '{ print int($1 * 1000) }')
  echo "   after the server came back: capture resumed about $((stopped + resumed - back)) ms," \
    "the picture moved again by $first_column ms, the tone lay over 30 columns by $(($(now_ms) - back)) ms"
  [ "$(grep -c "capture device is gone" "$dir/out.log")" -eq 1 ] || fail "not one line saying the capture was lost"
  [ "$(grep -c "capture resumed" "$dir/out.log")" -eq 1 ] || fail "not one line saying the capture resumed"
}

# window_size_reaches WIDTH HEIGHT: the window takes that size within 5 s.
window_size_reaches() {
  local _ now
  for _ in $(seq 50); do
    now=$(window_geometry "$window")
    [ "${now%%+*}" != "$1x$2" ] || return 0
    sleep 0.1
  done
  fail "the window is ${now%%+*}, not $1x$2"
}

# Gives the window its first size and place again, for the steps that follow.
back_to_first_place() {
  local size=${framed%%+*} place=${framed#*+}
  window=$(window_find "$title" 5) || fail "no window"
  xdotool windowsize "$window" "${size%x*}" "${size#*x}" windowmove "$window" "${place%+*}" "${place#*+}"
  window_wait_geometry "$title" "$framed" 5 || fail "the window did not take its first size and place again"
  window=$(window_find "$title" 5) || fail "no window"
}

e2e_rough() {
  step "resize storms from 1 x 1 to the whole screen"
  start_windowed
  local i w h
  RANDOM=7  # the same storm every run
  for i in $(seq 60); do
    case $((i % 20)) in
      0) w=1 h=1 ;;
      10) w=$screen_width h=$screen_height ;;
      *) w=$((RANDOM % screen_width + 1)) h=$((RANDOM % screen_height + 1)) ;;
    esac
    xdotool windowsize "$window" "$w" "$h"
    # The extremes are waited for, so that the program sees them.
    [ $((i % 10)) -ne 0 ] || window_size_reaches "$w" "$h"
    sleep 0.02
  done
  back_to_first_place

  step "full-screen toggles"
  # Leaving full screen gives back the window at its size, centred as in tools/e2e.sh.
  local centred="${framed%%+*}+$(((screen_width - width) / 2))+$(((screen_height - height) / 2))"
  for i in $(seq 5); do
    press "$window" F1 || fail "no window to press F1 in"
    window_wait_geometry "$title" "$screen+0+0" 5 || fail "F1 did not go full screen"
    window=$(window_find "$title" 5) || fail "no window in full screen"
    press "$window" F1 || fail "no window to press F1 in"
    window_wait_geometry "$title" "$centred" 5 || fail "F1 again did not give back the window"
    window=$(window_find "$title" 5) || fail "no window after full screen"
  done
  back_to_first_place

  step "key spam"
  # Neither Q nor Escape, which quit, nor Alt or F10, which open Windows' menus.
  local keys=(space a l b c d e f g h i j k m n o p r s t u v w x y z 1 2 3 4 5 6 7 8 9 0 Left Right Up Down
    Return BackSpace Tab F2 F3 F5 F12 shift+a ctrl+l ctrl+z shift+Right) spam=() toggle count
  for i in $(seq 300); do spam+=("${keys[RANDOM % ${#keys[@]}]}"); done
  # Each toggle an even number of times, so that the program ends as it began.
  for toggle in space a l; do
    count=$(printf '%s\n' "${spam[@]}" | grep -cx "$toggle" || true)
    [ $((count % 2)) -eq 0 ] || spam+=("$toggle")
  done
  xdotool windowfocus --sync "$window" key --delay 8 "${spam[@]}" || fail "the window went during the keys"
  back_to_first_place
  area=$(client_area "$window" "$width" "$height")
  expect "$area" paused after-keys hidden
  check "$area" meter after-keys hidden || fail "the level meter left on"
  if [ "$kind" != windows ]; then restart_server; fi

  step "a tone in its row"
  [ "$kind" != windows ] || play_tone
  expect "$(newest_columns)" tones rough-tone 1000

  step "Q quits"
  press "$window" q
  exits_with 0 10
}

e2e_pipewire() {
  step "a 1000 Hz tone with PipeWire"
  start_windowed
  play_tone
  expect "$(newest_columns)" tones pipewire-tone 1000
  session_wait "$virtual_mic_player" 10 || fail "the tone did not end"
  sleep 2  # until the tone has scrolled out of the newest columns
  restart_server

  step "Q quits"
  press "$window" q
  exits_with 0 10
}

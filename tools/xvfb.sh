# A virtual display, for the scripts that run things on one. Sourced; it changes
# nothing until xvfb_start is called.
#
#   xvfb_start WIDTHxHEIGHT LOG
#       starts Xvfb with one screen of that size (24-bit), its messages in LOG,
#       exports DISPLAY for the programs started afterwards and sets xvfb_pid;
#       the caller stops it. The display number is Xvfb's own choice, so
#       parallel runs do not fight over one.
#
# -noreset: by default an X server resets itself whenever its last client
# disconnects, and drops a connection that arrives during the reset; a program
# starting just as a screenshot tool or xdotool finishes would then find "no
# display" although the server is up.

. "$(dirname "${BASH_SOURCE[0]}")/need.sh"
need Xvfb xvfb

xvfb_start() {
  local size=$1 log=$2 fd display
  exec {fd}<> <(:)
  Xvfb -displayfd "$fd" -noreset -screen 0 "${size}x24" -nolisten tcp >"$log" 2>&1 &
  xvfb_pid=$!
  if ! read -r -t 10 display <&"$fd"; then
    exec {fd}>&-
    echo "Xvfb did not start:" >&2
    cat "$log" >&2
    kill "$xvfb_pid" 2>/dev/null || true
    return 1
  fi
  exec {fd}>&-
  export DISPLAY=":$display"
}

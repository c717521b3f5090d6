# A private session for running the real program: a temporary directory, a
# virtual display (tools/xvfb.sh) and a virtual microphone's server
# (tools/virtual-mic.sh), with tools/screen.sh's functions to drive windows.
# Everything is stopped and removed when the calling script exits. Sourced.
#
#   session_start WIDTHxHEIGHT    sets session_dir, starts Xvfb with a screen of
#                                 that size (DISPLAY) and the microphone's server
#                                 (PULSE_SERVER); plays nothing yet
#   session_track PID...          stops these processes too when the script
#                                 exits, the latest tracked first
#   session_wait PID SECONDS      waits up to SECONDS for a process started by
#                                 the script to end and sets session_status to
#                                 its exit status; fails when it is still running
#   session_stop                  stops and removes everything now (also the
#                                 EXIT trap that session_start sets)

tools_dir=$(dirname "${BASH_SOURCE[0]}")
. "$tools_dir/xvfb.sh"
. "$tools_dir/virtual-mic.sh"
. "$tools_dir/screen.sh"

session_pids=()

session_track() { session_pids+=("$@"); }

session_wait() {
  local pid=$1 tries
  for ((tries = $2 * 10; tries > 0; tries--)); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && { echo "process $pid still running after $2 s" >&2; return 1; }
  session_status=0
  wait "$pid" || session_status=$?
}

session_stop() {
  local i
  for ((i = ${#session_pids[@]} - 1; i >= 0; i--)); do
    kill "${session_pids[i]}" 2>/dev/null || true
    wait "${session_pids[i]}" 2>/dev/null || true
  done
  session_pids=()
  [ -z "${session_dir:-}" ] || rm -rf "$session_dir"
}

session_start() {
  session_dir=$(mktemp -d /tmp/warblet-session.XXXXXX)
  trap session_stop EXIT
  xvfb_start "$1" "$session_dir/xvfb.log"
  session_track "$xvfb_pid"
  virtual_mic_start "$session_dir"
  session_track "${virtual_mic_servers[@]}"
}

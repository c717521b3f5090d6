# A Wayland compositor for the scripts that run programs on one: Weston with its
# x11 backend, shown as one window filling the X display (DISPLAY, say Xvfb's),
# so that a screenshot of that display shows what Weston shows. Weston has a
# seat there (the X display's keyboard and pointer), which SDL's Wayland driver
# needs. Sourced; it changes nothing until weston_start is called.
#
#   weston_start DIR WIDTHxHEIGHT LOG
#       starts Weston with an output of that size, its socket in DIR (a new,
#       private XDG_RUNTIME_DIR) and its messages in LOG; exports
#       XDG_RUNTIME_DIR and WAYLAND_DISPLAY for the programs started afterwards
#       and sets weston_pid; the caller stops it.

. "$(dirname "${BASH_SOURCE[0]}")/need.sh"
need weston weston

weston_start() {
  local dir=$1 size=$2 log=$3 socket=wayland-warblet _
  mkdir -m 700 "$dir"
  # --idle-time=0: no screen lock in the middle of a run.
  XDG_RUNTIME_DIR=$dir weston --backend=x11-backend.so --width="${size%x*}" --height="${size#*x}" \
    --socket="$socket" --idle-time=0 >"$log" 2>&1 &
  weston_pid=$!
  for _ in $(seq 100); do
    [ -S "$dir/$socket" ] && break
    kill -0 "$weston_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -S "$dir/$socket" ]; then
    echo "Weston did not start:" >&2
    cat "$log" >&2
    kill "$weston_pid" 2>/dev/null || true
    return 1
  fi
  export XDG_RUNTIME_DIR=$dir WAYLAND_DISPLAY=$socket
}

#!/usr/bin/env bash
# Runs COMMAND inside a Debian root made by tools/debian-root.sh, as a client of
# the caller's display and sound server: DISPLAY passes through (X's abstract
# socket is shared with a chroot), and the PulseAudio socket's folder, named by
# PULSE_SERVER (unix:PATH), is mounted at the same path inside the root. The
# exit status is COMMAND's; stopping this script stops COMMAND.
#
# Usage: tools/in-debian-root.sh ROOT COMMAND [ARGUMENTS...]
set -euo pipefail
root=${1:?usage: tools/in-debian-root.sh ROOT COMMAND [ARGUMENTS...]}
shift
: "${DISPLAY:?in-debian-root: no DISPLAY}" "${PULSE_SERVER:?in-debian-root: no PULSE_SERVER}"
. "$(dirname "$0")/debian-root.sh"
socket_dir=$(dirname "${PULSE_SERVER#unix:}")
mkdir -p "$root$socket_dir"
mountpoint -q "$root$socket_dir" || mount --bind "$socket_dir" "$root$socket_dir"
# In the background, so that a signal reaches the trap at once. The command
# runs in a subshell, and ends with the process that debian_root_run starts
# there (its child): that is the one to stop.
debian_root_run "$root" /usr/bin/env DISPLAY="$DISPLAY" PULSE_SERVER="$PULSE_SERVER" "$@" &
command=$!
trap 'pkill -TERM -P "$command" 2>/dev/null || true' TERM INT
status=0
wait "$command" || status=$?
# A signal ends the first wait early; the second collects the command's end.
kill -0 "$command" 2>/dev/null && { wait "$command" || status=$?; }
exit "$status"

#!/usr/bin/env bash
# Runs a command on a virtual display of its own (Xvfb, 1280 x 800, 24-bit) and
# stops the display afterwards; the exit status is the command's. The display
# number is Xvfb's own choice, so parallel runs do not fight over one.
#
# Usage: tools/on-xvfb.sh COMMAND [ARGUMENTS...]
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: tools/on-xvfb.sh COMMAND [ARGUMENTS...]" >&2; exit 2; }
log=$(mktemp /tmp/warblet-xvfb.XXXXXX)
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1280x800x24 -nolisten tcp >"$log" 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; rm -f "$log"' EXIT
if ! read -r -t 10 display <&"$fd"; then
  echo "on-xvfb: Xvfb did not start:" >&2
  cat "$log" >&2
  exit 1
fi
status=0
DISPLAY=":$display" "$@" || status=$?
exit "$status"

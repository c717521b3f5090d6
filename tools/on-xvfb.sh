#!/usr/bin/env bash
# Runs a command on a virtual display of its own (Xvfb, 1280 x 800 unless
# --screen says otherwise, 24-bit) and stops the display afterwards; the exit
# status is the command's.
#
# Usage: tools/on-xvfb.sh [--screen WIDTHxHEIGHT] COMMAND [ARGUMENTS...]
set -euo pipefail
size=1280x800
if [ "${1:-}" = --screen ]; then
  size=${2:?usage: tools/on-xvfb.sh [--screen WIDTHxHEIGHT] COMMAND [ARGUMENTS...]}
  shift 2
fi
[ $# -gt 0 ] || { echo "usage: tools/on-xvfb.sh [--screen WIDTHxHEIGHT] COMMAND [ARGUMENTS...]" >&2; exit 2; }
. "$(dirname "$0")/xvfb.sh"
log=$(mktemp /tmp/warblet-xvfb.XXXXXX)
trap 'kill "${xvfb_pid:-}" 2>/dev/null || true; wait 2>/dev/null || true; rm -f "$log"' EXIT
xvfb_start "$size" "$log"
status=0
"$@" || status=$?
exit "$status"

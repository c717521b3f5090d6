#!/usr/bin/env bash
# Runs a Windows program under Wine in a fresh, throw-away prefix (see
# tools/wine-prefix.sh); the exit status is the program's. Needs an X display in
# DISPLAY (tools/on-xvfb.sh gives one). Stopping the script (TERM, INT) stops the
# program and Wine's server and removes the prefix.
#
# Usage: tools/wine-run.sh PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
program=${1:?usage: tools/wine-run.sh PROGRAM.exe [ARGUMENTS...]}
shift
[ -n "${DISPLAY:-}" ] || { echo "wine-run: no DISPLAY; run it on Xvfb (tools/on-xvfb.sh)" >&2; exit 2; }
. "$(dirname "$0")/wine-prefix.sh"

dir=$(mktemp -d /tmp/warblet-wine.XXXXXX)
app=""
cleanup() {
  if [ -n "$app" ]; then kill "$app" 2>/dev/null || true; fi
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 143' TERM
trap 'exit 130' INT

wine_prefix "$dir/prefix"
# In the background, so that a signal reaches the traps at once.
wine "$program" "$@" &
app=$!
status=0
wait "$app" || status=$?
app=""
exit "$status"

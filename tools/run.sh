#!/usr/bin/env bash
# Builds Warblet for this system and runs it. Without a display it runs on a
# virtual one (Xvfb), which is enough to see that it starts and ends cleanly.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh build
cmake --preset linux >/dev/null
cmake --build --preset linux --target warblet
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  tools/install-deps.sh xvfb
  exec xvfb-run -a build/linux/viewer/warblet "$@"
fi
exec build/linux/viewer/warblet "$@"

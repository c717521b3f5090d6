#!/usr/bin/env bash
# Installs the Debian package that tools/package.sh made on a fresh minimal
# Debian 12 (tools/debian-root.sh) as a user would, with
# `apt-get install ./warblet_VERSION_amd64.deb`, and runs the installed
# /usr/bin/warblet there through the Linux end-to-end run (tools/e2e.sh; the
# screenshots stay in build/e2e/package/).
#   1. With nothing but the package and what it depends on, every library the
#      program loads and the font it draws with must be there: a dependency
#      missing from the package fails here.
#   2. The program runs end to end, as a client of the run's virtual display
#      and microphone (Xvfb and PulseAudio on this machine, reached through the
#      shared X socket and a mount of the sound server's socket): nothing is
#      added to the root, so that a sound library the package forgets cannot
#      come in with a server.
#
# Usage: tools/package-check.sh
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/linux/CMakeCache.txt 2>/dev/null || true)
deb=build/package/warblet_${version}_amd64.deb
[ -n "$version" ] && [ -f "$deb" ] || { echo "package-check: no package; run tools/package.sh first" >&2; exit 2; }
. tools/debian-root.sh
root=$(realpath -m build/package-check-root)
debian_root_remove "$root"
trap 'debian_root_remove "$root"' EXIT

step() { echo "== package-check: $*"; }
fail() { echo "package-check: FAILED: $*" >&2; exit 1; }
in_root() { debian_root_run "$root" "$@"; }

step "a fresh Debian 12 root"
debian_root_make "$root"
cp "$deb" "$root/tmp/"

step "apt-get install ./$(basename "$deb")"
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./tmp/$(basename "$deb")" >/dev/null ||
  fail "the package did not install"

step "the installed program finds its libraries and its font"
missing=$(in_root ldd /usr/bin/warblet | grep 'not found' || true)
[ -z "$missing" ] || fail "libraries missing after installing the package:"$'\n'"$missing"
in_root test -f /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf || fail "DejaVu Sans missing after installing the package"
echo "   all there"

step "the installed /usr/bin/warblet end to end"
tools/e2e.sh linux build/e2e/package tools/in-debian-root.sh "$root" /usr/bin/warblet

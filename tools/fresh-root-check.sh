#!/usr/bin/env bash
# Tries the README's two commands as a new user on a new machine would: in a
# fresh minbase Debian 12 root (tools/debian-root.sh), as root with no display,
# it installs git, clones this repository's HEAD, runs tools/run.sh and then
# tools/test.sh, and checks that run.sh saved its screenshot and that the
# picture shows something (not black). It prints how long each step took. The
# root is removed at the end, whatever happened.
#
# When the caller's builds go through ccache (CMAKE_CXX_COMPILER_LAUNCHER=ccache
# with CCACHE_DIR set, as in .ci/run), the root's builds share that cache: it is
# mounted into the root and ccache installed there beside git. What the cache
# holds is only compiler output for the same sources and the same compiler; a
# header or a library the README's commands fail to install still fails the
# build, since nothing is linked from the cache.
#
# Needs root on the host (it mounts and chroots) and Debian's package mirror.
# Usage: tools/fresh-root-check.sh [DIR]   (the root; default build/fresh-root)
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || { echo "fresh-root-check: needs root (it mounts file systems and chroots)" >&2; exit 2; }
tools/install-deps.sh root picture
. tools/need.sh
need git git identify imagemagick
. tools/debian-root.sh

root=$(realpath -m "${1:-build/fresh-root}")
clone=/root/warblet
shot=$root$clone/build/run/warblet.png
kept=build/fresh-root-warblet.png

started=$SECONDS
times=()
report() {
  echo "fresh-root-check: time per step"
  [ ${#times[@]} -eq 0 ] || printf '  %s\n' "${times[@]}"
  echo "  all: $((SECONDS - started)) s"
}
# A root left by a run that was killed goes first.
debian_root_remove "$root"
running=""
finish() {
  local status=$1
  # A time limit signals the whole process group, so a second TERM may follow;
  # it must not cut the cleaning up short.
  trap '' TERM INT
  [ -z "$running" ] || { kill -- "-$running" 2>/dev/null; wait "$running" 2>/dev/null || true; }
  report
  local began=$SECONDS
  debian_root_remove "$root" || status=1
  echo "  removing the root: $((SECONDS - began)) s"
  exit "$status"
}
trap 'finish $?' EXIT
# A time limit's TERM must reach the EXIT trap, so that the root goes too.
trap 'exit 143' TERM
trap 'exit 130' INT

# step NAME COMMAND...: runs one step, timed; a failing step ends the check.
# The step runs in the background, since a signal's trap waits for the command
# in the foreground to end, and in a process group of its own (set -m), so that
# stopping it stops all that it started.
set -m
step() {
  local name=$1 began=$SECONDS status=0
  shift
  echo "== fresh root: $name"
  "$@" &
  running=$!
  wait "$running" || status=$?
  running=""
  times+=("$(printf '%-34s %5d s' "$name" "$((SECONDS - began))")")
  [ "$status" -eq 0 ] || { echo "fresh-root-check: FAILED: $name (status $status)" >&2; exit 1; }
}

cache_env=()
extra_packages=()
if [ "${CMAKE_CXX_COMPILER_LAUNCHER:-}" = ccache ] && [ -d "${CCACHE_DIR:-}" ]; then
  cache_env=(CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
             CCACHE_DIR=/var/cache/warblet-ccache CCACHE_BASEDIR=$clone CCACHE_NOHASHDIR=1
             CCACHE_COMPILERCHECK=content)
  # ccache counts the locale among a compilation's inputs: the root's must be ours.
  for variable in LANG LC_ALL LC_CTYPE LC_MESSAGES; do
    [ -z "${!variable:-}" ] || cache_env+=("$variable=${!variable}")
  done
  extra_packages=(ccache)
fi

inside() { debian_root_run "$root" "$@"; }
in_clone() { inside /usr/bin/env "${cache_env[@]}" /bin/sh -c "cd $clone && exec \"\$@\"" sh "$@"; }

install_git() {
  inside apt-get update -qq &&
    inside env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
      git "${extra_packages[@]}" >/dev/null || return 1
  [ ${#cache_env[@]} -eq 0 ] || {
    mkdir -p "$root/var/cache/warblet-ccache" && mount --bind "$CCACHE_DIR" "$root/var/cache/warblet-ccache"
  }
}

clone_head() {
  git bundle create -q "$root/tmp/warblet.bundle" HEAD &&
    inside git -c advice.detachedHead=false clone -q /tmp/warblet.bundle "$clone" &&
    rm "$root/tmp/warblet.bundle"
}

# The screenshot is of the window: black if nothing was drawn. A drawn
# spectrogram has a bright trace and a ramp of colours.
picture_shows_something() {
  local width height brightest colours
  [ -s "$shot" ] || { echo "fresh-root-check: run.sh saved no screenshot ($clone/build/run/warblet.png)" >&2; return 1; }
  read -r width height brightest colours < <(identify -format '%w %h %[fx:maxima] %k\n' "$shot") || return 1
  echo "   screenshot $width x $height, brightest $brightest (0 to 1), $colours colours; kept as $kept"
  cp "$shot" "$kept" || return 1
  awk -v b="$brightest" -v c="$colours" 'BEGIN { exit !(b >= 0.5 && c >= 16) }' || {
    echo "fresh-root-check: the screenshot is black or nearly so" >&2
    return 1
  }
}

step "make a minbase Debian 12 root" debian_root_make "$root"
step "install git" install_git
step "clone the repository" clone_head
step "tools/run.sh" in_clone tools/run.sh
step "the screenshot shows the program" picture_shows_something
step "tools/test.sh" in_clone tools/test.sh
echo "fresh-root-check: the README's commands work on a fresh Debian 12 root"

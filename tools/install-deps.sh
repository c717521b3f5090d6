#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Warblet need.
# Usage: tools/install-deps.sh [build|windows|e2e|fuzz]...   (no argument: build)
# Packages already present are not fetched again, so a second run costs nothing.
set -euo pipefail

# libx11-dev and xvfb: the SDL host's tests open real windows on a private display
# and read the screen back.
build=(cmake ninja-build g++ pkg-config libsdl2-dev libsdl2-ttf-dev libfontconfig-dev fonts-dejavu-core
       libpixman-1-dev libboost-dev libgtest-dev libgmock-dev libbenchmark-dev libfftw3-dev
       libx11-dev xvfb)
windows=(g++-mingw-w64-x86-64 g++-mingw-w64-i686)
e2e=(xvfb x11-apps xdotool imagemagick pulseaudio pulseaudio-utils sox xfonts-base wine wine64 fonts-wine)
fuzz=(clang libclang-rt-dev)

wanted=()
for group in "${@:-build}"; do
  case "$group" in
    build) wanted+=("${build[@]}") ;;
    windows) wanted+=("${windows[@]}") ;;
    e2e) wanted+=("${e2e[@]}") ;;
    fuzz) wanted+=("${fuzz[@]}") ;;
    *) echo "install-deps: unknown group '$group' (build, windows, e2e or fuzz)" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Warblet need.
# Usage: tools/install-deps.sh [build|windows|e2e|fuzz|package]...   (no argument: build)
# Packages already present are not fetched again, so a second run costs nothing.
set -euo pipefail

# libx11-dev and xvfb: the SDL host's tests open real windows on a private display
# and read the screen back.
build=(cmake ninja-build g++ pkg-config libsdl2-dev libsdl2-ttf-dev fonts-dejavu-core
       libpixman-1-dev libboost-dev libgtest-dev libgmock-dev libbenchmark-dev libfftw3-dev
       libx11-dev xvfb)
windows=(g++-mingw-w64-x86-64 g++-mingw-w64-i686)
e2e=(xvfb x11-apps xdotool imagemagick pulseaudio pulseaudio-utils sox xfonts-base wine wine64 fonts-wine)
# wine32 runs the 32-bit Windows program beside wine64, which runs the 64-bit
# one; on a machine that cannot run 32-bit code it would stop both.
wine32=(wine32:i386)
fuzz=(clang libclang-rt-dev)
# Making the packages and checking them.
package=(dpkg-dev fakeroot lintian desktop-file-utils appstream zip unzip)

wanted=()
for group in "${@:-build}"; do
  case "$group" in
    build) wanted+=("${build[@]}") ;;
    windows) wanted+=("${windows[@]}") ;;
    e2e)
      wanted+=("${e2e[@]}")
      if "$(dirname "$0")/runs-32-bit.sh" 2>/dev/null; then wanted+=("${wine32[@]}"); fi ;;
    fuzz) wanted+=("${fuzz[@]}") ;;
    package) wanted+=("${package[@]}") ;;
    *) echo "install-deps: unknown group '$group' (build, windows, e2e, fuzz or package)" >&2; exit 2 ;;
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
# A package for another architecture (name:arch) is only found once dpkg knows it.
for p in "${missing[@]}"; do
  arch=${p#*:}
  [ "$arch" = "$p" ] || [ "$arch" = "$(dpkg --print-architecture)" ] ||
    dpkg --print-foreign-architectures | grep -qx "$arch" || $sudo dpkg --add-architecture "$arch"
done
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

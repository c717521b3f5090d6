#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Warblet need.
# Usage: tools/install-deps.sh [--list] [GROUP]...   (no group: build)
#   build    compilers and libraries, and Xvfb for the tests that open windows
#   windows  the MinGW-w64 cross compilers
#   mic      the virtual microphone (tools/virtual-mic.sh)
#   screen   a virtual display and the tools that drive and photograph windows
#            (tools/xvfb.sh, tools/screen.sh)
#   wine     Wine, to run the Windows builds (wine32 too where the machine runs
#            32-bit code)
#   e2e      mic, screen and wine: both end-to-end runs
#   wayland  Weston and libdecor's title-bar plugin, for the Linux program on
#            native Wayland (tools/e2e.sh wayland)
#   pipewire PipeWire with WirePlumber and its PulseAudio server, on a private
#            session bus, as the virtual microphone's server (tools/e2e.sh)
#   picture  ImageMagick alone, to draw and read pictures
#   fuzz     clang and its sanitizer runtimes
#   root     debootstrap and git, to make a fresh Debian root and clone into it
#            (tools/debian-root.sh, tools/fresh-root-check.sh)
#   cache    ccache, the compiler cache that .ci/run shares with its fresh root
#   package  making the release packages and checking them (tools/package.sh,
#            tools/release-check.sh)
#   lint     clang-format and clang-tidy (tools/format-check.sh, tools/tidy.sh)
# --list prints the groups' packages instead of installing them.
# Packages already present are not fetched again, so a second run costs nothing.
set -euo pipefail

# libx11-dev and xvfb: the SDL host's tests open real windows on a private display
# and read the screen back. libpulse-dev: the latency tools play and record the
# virtual microphone themselves.
build=(cmake ninja-build g++ pkg-config libsdl2-dev libsdl2-ttf-dev libfontconfig-dev fonts-dejavu-core
       libpixman-1-dev libboost-dev libgtest-dev libgmock-dev libbenchmark-dev libfftw3-dev
       libx11-dev libpulse-dev xvfb)
windows=(g++-mingw-w64-x86-64 g++-mingw-w64-i686)
mic=(pulseaudio pulseaudio-utils sox)
# x11-utils: xwininfo; x11-apps: xwd; xfonts-base: the font of SDL's message box.
screen=(xvfb x11-utils x11-apps xdotool imagemagick xfonts-base)
wine=(wine wine64 fonts-wine)
# wine32 runs the 32-bit Windows program beside wine64, which runs the 64-bit
# one; on a machine that cannot run 32-bit code it would stop both.
if "$(dirname "$0")/runs-32-bit.sh" 2>/dev/null; then wine+=(wine32:i386); fi
# libdecor-0-plugin-1-cairo: the title bar SDL draws where the compositor
# leaves decorations to the window, as Weston does.
wayland=(weston libdecor-0-plugin-1-cairo)
# dbus-daemon: the private session bus that WirePlumber needs.
pipewire=(pipewire wireplumber pipewire-pulse dbus-daemon)
picture=(imagemagick)
fuzz=(clang libclang-rt-dev)
root=(debootstrap git)
cache=(ccache)
package=(dpkg-dev fakeroot lintian desktop-file-utils appstream zip unzip)
lint=(clang-format clang-tidy)

list=no
if [ "${1:-}" = --list ]; then
  list=yes
  shift
fi
wanted=()
for group in "${@:-build}"; do
  case "$group" in
    build) wanted+=("${build[@]}") ;;
    windows) wanted+=("${windows[@]}") ;;
    mic) wanted+=("${mic[@]}") ;;
    screen) wanted+=("${screen[@]}") ;;
    wine) wanted+=("${wine[@]}") ;;
    e2e) wanted+=("${mic[@]}" "${screen[@]}" "${wine[@]}") ;;
    wayland) wanted+=("${wayland[@]}") ;;
    pipewire) wanted+=("${pipewire[@]}") ;;
    picture) wanted+=("${picture[@]}") ;;
    fuzz) wanted+=("${fuzz[@]}") ;;
    root) wanted+=("${root[@]}") ;;
    cache) wanted+=("${cache[@]}") ;;
    package) wanted+=("${package[@]}") ;;
    lint) wanted+=("${lint[@]}") ;;
    *) echo "install-deps: unknown group '$group' (build, windows, mic, screen, wine, e2e, wayland, pipewire, picture, fuzz, root, cache, package or lint)" >&2
       exit 2 ;;
  esac
done
if [ "$list" = yes ]; then
  printf '%s\n' "${wanted[@]}"
  exit 0
fi

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

#!/usr/bin/env bash
# Makes the release packages in build/package/, always from a build of the tree
# as it is now (a missing or stale build is built first):
#   warblet_VERSION_amd64.deb             the Linux program, for Debian 12
#   warblet-VERSION-windows-x86_64.zip    the 64-bit Windows program
#   warblet-VERSION-windows-i686.zip      the 32-bit Windows program
# VERSION is the one in project() in CMakeLists.txt. Every step is named, and the
# first that fails stops the script with its name; the packages are made only
# after every build has succeeded, and earlier packages are removed first, so
# build/package/ never holds a package of a failed build.
# tools/release-check.sh checks what this makes.
#
# Usage: tools/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
out=build/package
maintainer="Seed 5890a878 maintainers <maintainers@users.noreply.c-seed-5890a878.example>"

work=$(mktemp -d /tmp/warblet-package.XXXXXX)
current=""
trap '[ -z "$current" ] || echo "package: FAILED at \"$current\"; no packages made" >&2; rm -rf "$work"' EXIT
step() {
  current=$1
  echo "== package: $1"
}

step "removing earlier packages"
rm -rf "$out"
mkdir -p "$out"
out=$(realpath "$out")

# The packages hold the tree as it is; say so when that is no commit.
[ -z "$(git status --porcelain 2>/dev/null)" ] ||
  echo "package: the tree has uncommitted changes; the packages will hold them"

step "installing the tools"
tools/install-deps.sh build windows package

step "building for Linux"
cmake --preset linux >/dev/null
cmake --build --preset linux --target warblet
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/linux/CMakeCache.txt)
[ -n "$version" ] || { echo "package: no project version in build/linux/CMakeCache.txt" >&2; exit 1; }

for arch in x86_64 i686; do
  step "building for Windows $arch"
  cmake --preset "mingw-$arch" >/dev/null
  cmake --build --preset "mingw-$arch" --target warblet
done

step "staging the Debian package's files"
deb=$work/deb
DESTDIR="$deb" cmake --install build/linux --prefix /usr --strip >/dev/null
doc=$deb/usr/share/doc/warblet
install -d "$doc" "$deb/DEBIAN"
install -m 644 tools/package/copyright "$doc/copyright"
# A package made here, not from a Debian source package: its changelog is the
# native one, one entry per version, dated by the newest commit.
printf 'warblet (%s) unstable; urgency=medium\n\n  * Release %s.\n\n -- %s  %s\n' \
  "$version" "$version" "$maintainer" "$(git log -1 --format=%aD)" | gzip -9n >"$doc/changelog.gz"
chmod 644 "$doc/changelog.gz"

step "computing the Debian package's dependencies"
# dpkg-shlibdeps reads the package's name from a control file in debian/.
mkdir "$work/debian"
printf 'Source: warblet\n\nPackage: warblet\nArchitecture: amd64\n' >"$work/debian/control"
shlibs=$(cd "$work" && dpkg-shlibdeps -O "$deb/usr/bin/warblet" | sed -n 's/^shlibs:Depends=//p')
[ -n "$shlibs" ] || { echo "package: dpkg-shlibdeps found no libraries" >&2; exit 1; }
# The "(paused)" label is drawn in DejaVu Sans, which the program opens by path.
depends="$shlibs, fonts-dejavu-core"
echo "   Depends: $depends"
# On Wayland the window's title bar is the client's to draw: SDL draws it
# through libdecor, which needs a plugin; without one the window has none.
recommends="libdecor-0-plugin-1-cairo"

step "making warblet_${version}_amd64.deb"
cat >"$deb/DEBIAN/control" <<EOF
Package: warblet
Version: $version
Architecture: amd64
Maintainer: $maintainer
Installed-Size: $(du -sk --exclude=DEBIAN "$deb" | cut -f1)
Depends: $depends
Recommends: $recommends
Section: sound
Priority: optional
Description: live scrolling spectrogram of the microphone
 Warblet shows the sound at the computer's microphone as a live, scrolling
 spectrogram: new sound enters at the right and moves left, pitch rises from
 bottom to top, up to 2000 Hz, and loudness is colour.
 .
 Space pauses, L shows the level meter, A switches the level scale, F1
 switches full screen and Q or Escape quits.
EOF
(cd "$deb" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$deb/DEBIAN/md5sums"
chmod 644 "$deb/DEBIAN/control" "$deb/DEBIAN/md5sums"
dpkg-deb --root-owner-group --build "$deb" "$out/warblet_${version}_amd64.deb" >/dev/null

# GCC's runtime is linked into the Windows program, and with it MinGW-w64's
# start-up code and C runtime additions: their licences travel with it.
licences=(/usr/share/doc/gcc-mingw-w64-base/copyright:GCC-runtime.txt
          /usr/share/doc/mingw-w64-common/copyright:MinGW-w64-runtime.txt)
for arch in x86_64 i686; do
  name=warblet-$version-windows-$arch
  step "making $name.zip"
  dir=$work/$name
  install -d "$dir/licences"
  install -m 644 "build/mingw-$arch/viewer/warblet.exe" "$dir/warblet.exe"
  # Windows' Notepad wants CRLF line ends.
  sed "s/@VERSION@/$version/; s/@ARCH@/$arch/; s/\$/\r/" tools/package/README-windows.txt >"$dir/README.txt"
  for licence in "${licences[@]}"; do
    sed 's/$/\r/' "${licence%%:*}" >"$dir/licences/${licence#*:}"
  done
  (cd "$work" && zip -q -r -X "$out/$name.zip" "$name")
done

current=""
echo "package: made in $out:"
ls -l "$out"

#!/usr/bin/env bash
# Checks the packages that tools/package.sh made in DIR (build/package/):
#   the .deb        lintian finds no error; its desktop entry passes
#                   desktop-file-validate and its AppStream metainfo
#                   appstreamcli validate; it carries the project's version;
#   each .zip       the program in it carries the project's version in its
#                   version resource and, unzipped into a fresh directory, passes
#                   the Windows end-to-end run under Wine in a fresh prefix
#                   (tools/e2e.sh; screenshots in build/e2e/zip-ARCH/).
# Every failing check is named; the script fails when any did.
#
# Usage: tools/release-check.sh [DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh build windows e2e package
packages=${1:-build/package}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/linux/CMakeCache.txt 2>/dev/null || true)
[ -n "$version" ] || { echo "release-check: no build/linux; run tools/package.sh first" >&2; exit 2; }
deb=$packages/warblet_${version}_amd64.deb
for package in "$deb" "$packages"/warblet-"$version"-windows-{x86_64,i686}.zip; do
  [ -f "$package" ] || { echo "release-check: no $package; run tools/package.sh first" >&2; exit 2; }
done
work=$(mktemp -d /tmp/warblet-release-check.XXXXXX)
trap 'rm -rf "$work"' EXIT

failed=()
# check NAME COMMAND...: runs one check and reports it by name.
check() {
  local name=$1
  shift
  if "$@"; then echo "release-check: $name: passed"; else echo "release-check: $name: FAILED" >&2; failed+=("$name"); fi
}

# The version resource's four numbers: the version's parts, then zeros.
IFS=. read -ra numbers <<<"$version"
while [ ${#numbers[@]} -lt 4 ]; do numbers+=(0); done
version_numbers=$(IFS=,; echo "${numbers[*]}" | sed "s/,/, /g")

# windows_version EXE ARCH: the version resource read back from the program
# (windres decompiles an executable's resources) holds the project's version as
# numbers and as text, and names the product.
windows_version() {
  local resources
  resources=$("$2-w64-mingw32-windres" -i "$1" -O rc) || return 1
  grep -q "^ *FILEVERSION $version_numbers\$" <<<"$resources" &&
    grep -q "^ *PRODUCTVERSION $version_numbers\$" <<<"$resources" &&
    grep -q "VALUE \"FileVersion\", \"$version\"" <<<"$resources" &&
    grep -q "VALUE \"ProductVersion\", \"$version\"" <<<"$resources" &&
    grep -q 'VALUE "ProductName", "Warblet"' <<<"$resources" &&
    grep -q 'VALUE "FileDescription", "Warblet' <<<"$resources" ||
    { echo "$1: the version resource is not version $version of Warblet:"; sed -n '/Type: version/,$p' <<<"$resources"; return 1; } >&2
}

deb_version() { [ "$(dpkg-deb -f "$deb" Version)" = "$version" ]; }

check "lintian" lintian --fail-on error --tag-display-limit 0 "$deb"
check "the package's version is $version" deb_version
dpkg-deb -x "$deb" "$work/deb"
check "desktop-file-validate" desktop-file-validate "$work/deb/usr/share/applications/warblet.desktop"
metainfo=("$work"/deb/usr/share/metainfo/*.metainfo.xml)
check "appstreamcli validate" appstreamcli validate --no-net "${metainfo[@]}"

for arch in x86_64 i686; do
  name=warblet-$version-windows-$arch
  unzip -q "$packages/$name.zip" -d "$work/$arch"
  check "$name.zip: version resource" windows_version "$work/$arch/$name/warblet.exe" "$arch"
  if [ "$arch" = i686 ] && ! tools/runs-32-bit.sh; then
    echo "release-check: $name.zip: end-to-end run: NOT RUN, the machine cannot run 32-bit code"
    continue
  fi
  check "$name.zip: end-to-end run" tools/e2e.sh windows "build/e2e/zip-$arch" "$work/$arch/$name/warblet.exe"
done

if [ ${#failed[@]} -gt 0 ]; then
  printf "release-check: failed: %s\n" "${failed[@]}" >&2
  exit 1
fi
echo "release-check: all passed"

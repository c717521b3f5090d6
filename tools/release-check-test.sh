#!/usr/bin/env bash
# Tests tools/release-check.sh on broken copies of the packages in
# build/package/ (tools/package.sh makes them): each case breaks one thing, and
# the check must fail and name the check that caught it. Every case also runs
# the others, the end-to-end run of the zips included: about 45 s a case.
#
# Usage: tools/release-check-test.sh
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/linux/CMakeCache.txt 2>/dev/null || true)
deb=warblet_${version}_amd64.deb
zip=warblet-$version-windows-x86_64.zip
[ -n "$version" ] && [ -f "build/package/$deb" ] ||
  { echo "release-check-test: no packages; run tools/package.sh first" >&2; exit 2; }
work=$(mktemp -d /tmp/warblet-release-check-test.XXXXXX)
trap 'rm -rf "$work"' EXIT

# edit_deb DIR SHELL-COMMAND: rebuilds DIR's package after running the command
# in its unpacked tree.
edit_deb() {
  dpkg-deb -R "$1/$deb" "$1/tree"
  (cd "$1/tree" && eval "$2")
  dpkg-deb --root-owner-group -b "$1/tree" "$1/$deb" >/dev/null
  rm -rf "$1/tree"
}
# A program with no version resource in place of the x86_64 zip's.
unversioned_zip() {
  local name=${zip%.zip}
  unzip -q "$1/$zip" -d "$1/tree"
  cp build/mingw-x86_64-conformance/tests/conformance/conformance_tests.exe "$1/tree/$name/warblet.exe"
  rm "$1/$zip"
  (cd "$1/tree" && zip -q -r "../$zip" "$name")
  rm -rf "$1/tree"
}

# case name | the check that must fail | how the packages are broken
cases=(
  "no copyright file|lintian|edit_deb \$dir 'rm usr/share/doc/warblet/copyright'"
  "desktop entry without a name|desktop-file-validate|edit_deb \$dir 'sed -i /^Name=/d usr/share/applications/warblet.desktop'"
  "metainfo without a summary|appstreamcli validate|edit_deb \$dir 'sed -i /summary/d usr/share/metainfo/*.metainfo.xml'"
  "another version inside|the package's version is $version|edit_deb \$dir 'sed -i s/^Version:.*/Version:\ 9.9/ DEBIAN/control'"
  "no version resource|$zip: version resource|unversioned_zip \$dir"
)

cmake --preset mingw-x86_64-conformance >/dev/null
cmake --build --preset mingw-x86_64-conformance
failed=0
for entry in "${cases[@]}"; do
  IFS='|' read -r name expected breaking <<<"$entry"
  dir=$work/${name// /-}
  mkdir "$dir"
  cp build/package/* "$dir/"
  eval "$breaking"
  status=0
  tools/release-check.sh "$dir" >"$dir.log" 2>&1 || status=$?
  if [ "$status" -ne 0 ] && grep -qxF "release-check: $expected: FAILED" "$dir.log"; then
    echo "release-check-test: $name: caught by $expected"
  else
    echo "release-check-test: $name: NOT caught by $expected (status $status):" >&2
    grep '^release-check' "$dir.log" >&2 || true
    failed=1
  fi
done
exit "$failed"

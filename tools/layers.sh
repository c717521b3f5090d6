#!/usr/bin/env bash
# Fails when an include in the portable Win32 subset points up or across its
# layers, naming each such include, or when its folders include each other in
# a loop. Each folder is one library, built only on the libraries below it.
#
# Usage: tools/layers.sh
set -euo pipefail
cd "$(dirname "$0")/.."
base=platform/portable

# Each folder (. is the subset's own top: the umbrella header and main) and the
# folders its files may include besides their own; the lowest layer first.
layers="
seam:
kernel32: seam
gdi32:    kernel32 seam
user32:   gdi32 kernel32 seam
winmm:    kernel32 seam
msvfw32:  gdi32 kernel32 seam
gdiplus:  kernel32 seam
sdl:      seam
.:        user32 gdi32 winmm msvfw32 gdiplus kernel32 seam sdl
"
declare -A may
while read -r folder below; do
  [ -n "$folder" ] && may[${folder%:}]=" $below "
done <<<"$layers"

faults=0
edges=$(mktemp)
trap 'rm -f "$edges"' EXIT
while IFS=: read -r file include; do
  target=${include#*\"$base/}
  target=${target%\"}
  # Each path's folder inside the subset; . for its top.
  from=${file#"$base"/} to=$target
  [[ $from == */* ]] || from=./
  [[ $to == */* ]] || to=./
  from=${from%/*} to=${to%/*}
  [ "$from" = "$to" ] && continue
  echo "$from $to" >>"$edges"
  if [ -z "${may[$from]+set}" ]; then
    echo "$file: the folder $from has no layer in tools/layers.sh"
    faults=$((faults + 1))
  elif [[ ${may[$from]} != *" $to "* ]]; then
    read -r allowed <<<"${may[$from]}"
    echo "$file includes $target: $from may include only ${allowed:-its own folder}"
    faults=$((faults + 1))
  fi
done < <(grep -rHo --include='*.h' --include='*.cpp' "^#include \"$base/[^\"]*\"" "$base" || true)

# tsort names the folders of a loop on stderr.
if ! loop=$(sort -u "$edges" | tsort 2>&1 >/dev/null); then
  members=$(grep -v 'input contains a loop' <<<"$loop" | sed 's/^tsort: //' | awk '!seen[$0]++' | tr '\n' ' ')
  echo "the folders include each other in a loop: ${members% }"
  faults=$((faults + 1))
fi
if [ "$faults" -gt 0 ]; then
  echo "layers: $faults faults against the layers of $base (listed in tools/layers.sh)" >&2
  exit 1
fi
echo "layers: every include in $base points down"

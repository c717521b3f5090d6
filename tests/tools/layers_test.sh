#!/usr/bin/env bash
# tools/layers.sh on copies of the portable subset, each with one include
# planted: it must pass the subset as it is and fail, naming the fault, on an
# include that points up or across, on a folder with no layer, and on a loop
# between folders that the layers were changed to permit.
set -uo pipefail
source_root=${1:-$(dirname "$0")/../..}
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# File that gets the include, the included header, a permission added to the
# layers (FOLDER=BELOW, "-": none) and what the output must say ("-": the check
# passes).
cases=(
  "-                    -                     -                  -"
  "kernel32/kernel.cpp  user32/user.h         -                  kernel32/kernel.cpp includes user32/user.h"
  "seam/host.cpp        kernel32/types.h      -                  seam/host.cpp includes kernel32/types.h"
  "gdi32/text.cpp       user32/window.h       -                  gdi32/text.cpp includes user32/window.h"
  "winmm/winmm.cpp      msvfw32/vfw.h         -                  winmm/winmm.cpp includes msvfw32/vfw.h"
  "hosts/sdl/sdl_host.cpp user32/user.h       -                  hosts/sdl/sdl_host.cpp includes user32/user.h"
  "gdi32/surface.cpp    hosts/linux/huge_pages.h -               gdi32/surface.cpp includes hosts/linux/huge_pages.h"
  "hosts/wayland/w.cpp  seam/host.h           -                  the folder hosts/wayland has no layer"
  "seam/host.cpp        user32/user.h         seam=user32        in a loop"
)
for row in "${cases[@]}"; do
  read -r file header permission expected <<<"$row"
  copy=$work/copy
  rm -rf "$copy"
  mkdir -p "$copy/tools" "$copy/platform"
  cp "$source_root/tools/layers.sh" "$copy/tools/"
  cp -r "$source_root/platform/portable" "$copy/platform/"
  if [ "$file" != - ]; then
    mkdir -p "$(dirname "$copy/platform/portable/$file")"
    echo "#include \"platform/portable/$header\"" >>"$copy/platform/portable/$file"
  fi
  [ "$permission" = - ] || sed -i "s/^${permission%=*}:/&  ${permission#*=}/" "$copy/tools/layers.sh"
  output=$(bash "$copy/tools/layers.sh" 2>&1)
  status=$?
  if [ "$expected" = - ]; then
    [ "$status" -eq 0 ] || fail_text="passes unchanged"
  elif [ "$status" -eq 0 ] || [[ $output != *"$expected"* ]]; then
    fail_text="$file including $header fails saying \"$expected\""
  fi
  if [ -n "${fail_text:-}" ]; then
    echo "FAILED: $fail_text; status $status, output: $output"
    failures=$((failures + 1))
    fail_text=
  fi
done
[ "$failures" -eq 0 ] && echo "layers: all ${#cases[@]} cases held"
exit "$((failures > 0))"

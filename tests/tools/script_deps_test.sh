#!/usr/bin/env bash
# Checks the shell scripts' dependencies, from the top of the source tree:
#   1. a missing command stops a script with one line naming it and its Debian
#      package: each library under tools/ is sourced with one command it calls
#      taken away (and once with all of them there);
#   2. every script that installs packages installs the packages of every
#      command that it, or a script it sources or runs, names with `need`.
set -uo pipefail
cd "${1:-$(dirname "$0")/../..}" || exit 1
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

stubs=$(mktemp -d)
trap 'rm -rf "$stubs"' EXIT

# Library, the command taken away ("" for none), and the package the one line
# must name. The commands are those each library calls.
missing_cases=(
  "xvfb.sh        Xvfb        xvfb"
  "screen.sh      xwininfo    x11-utils"
  "screen.sh      xdotool     xdotool"
  "screen.sh      xwd         x11-apps"
  "screen.sh      convert     imagemagick"
  "virtual-mic.sh pulseaudio  pulseaudio"
  "virtual-mic.sh pactl       pulseaudio-utils"
  "virtual-mic.sh pacat       pulseaudio-utils"
  "virtual-mic.sh sox         sox"
  "session.sh     xwininfo    x11-utils"
  "session.sh     pactl       pulseaudio-utils"
  "wine-prefix.sh wine        wine"
  "wine-prefix.sh wineserver  wine64"
  "weston.sh      weston      weston"
  "pipewire-mic.sh wireplumber wireplumber"
  "session.sh     -           -"
  "wine-prefix.sh -           -"
  "weston.sh      -           -"
  "pipewire-mic.sh -          -"
)
all_commands=(Xvfb xwininfo xdotool xwd convert pulseaudio pactl pacat sox wine wineboot wineserver weston pipewire wireplumber pipewire-pulse)
for row in "${missing_cases[@]}"; do
  read -r library hidden package <<<"$row"
  rm -f "$stubs"/*
  ln -s "$(command -v dirname)" "$stubs/dirname"
  for command in "${all_commands[@]}"; do
    [ "$command" = "$hidden" ] || printf '#!/bin/sh\n' >"$stubs/$command"
  done
  chmod +x "$stubs"/*
  errors=$(PATH=$stubs "$BASH" -c '. "tools/$1"' script "$library" 2>&1 >/dev/null)
  status=$?
  lines=$(grep -c . <<<"$errors")
  if [ "$hidden" = - ]; then
    [ "$status" -eq 0 ] && [ "$lines" -eq 0 ] ||
      fail "$library with every command present: status $status, output: $errors"
  elif [ "$status" -eq 0 ] || [ "$lines" -ne 1 ] ||
      [[ $errors != *"$hidden is missing"* ]] || [[ $errors != *"package $package "* ]]; then
    fail "$library without $hidden: status $status, $lines lines: $errors"
  fi
done

# The scripts under tools/ that a script sources or runs, from its lines of code.
referenced() {
  grep -v '^[[:space:]]*#' "tools/$1" | grep -o '[/.][a-z0-9-]*\.sh' | sed 's/^[/.]//' | sort -u |
    while read -r name; do
      [ -f "tools/$name" ] && [ "$name" != "$1" ] && [ "$name" != install-deps.sh ] && echo "$name"
    done
}
# The groups a script asks install-deps.sh for, on lines that call it.
groups_of() {
  sed -n 's/^[[:space:]]*[^[:space:]#]*install-deps\.sh"\{0,1\} \([a-z0-9 ]*\).*/\1/p' "tools/$1"
}
# The packages a script's `need` lines name: every second word after "need".
needed_of() {
  sed -n 's/^[[:space:]]*need \(.*\)/\1/p' "tools/$1" | xargs -n 2 2>/dev/null | awk '{ print $2 }'
}

checked=0
for script in tools/*.sh; do
  script=${script#tools/}
  [ -n "$(groups_of "$script")" ] || continue
  checked=$((checked + 1))
  # Everything the script reaches, itself included.
  reached=("$script") i=0
  while [ "$i" -lt ${#reached[@]} ]; do
    for name in $(referenced "${reached[i]}"); do
      [[ " ${reached[*]} " == *" $name "* ]] || reached+=("$name")
    done
    i=$((i + 1))
  done
  groups=$(for name in "${reached[@]}"; do groups_of "$name"; done | tr '\n' ' ')
  # shellcheck disable=SC2086 # one argument per group
  installed=$(tools/install-deps.sh --list $groups) || { fail "$script: install-deps.sh --list $groups"; continue; }
  for name in "${reached[@]}"; do
    for package in $(needed_of "$name"); do
      grep -qx "$package" <<<"$installed" ||
        fail "$script reaches $name, which needs $package, but installs only the groups $groups"
    done
  done
done
[ "$checked" -ge 8 ] || fail "only $checked scripts install packages; the search for them is broken"

# An unknown group is one clear line and no install.
errors=$(tools/install-deps.sh --list nonesuch 2>&1)
[ $? -eq 2 ] && [ "$(grep -c . <<<"$errors")" -eq 1 ] || fail "an unknown group: $errors"

[ "$failures" -eq 0 ] && echo "script dependencies: all held (${#missing_cases[@]} missing-command cases, $checked installing scripts)"
exit "$((failures > 0))"

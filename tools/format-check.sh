#!/usr/bin/env bash
# Fails when a tracked C++ file differs from the layout in .clang-format,
# naming each such file. `clang-format -i FILE` puts a file right.
#
# Usage: tools/format-check.sh
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh lint

unformatted=()
while IFS= read -r -d '' file; do
  clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done < <(git ls-files -z -- '*.cpp' '*.h')
if [ ${#unformatted[@]} -gt 0 ]; then
  printf '%s\n' "${unformatted[@]}"
  echo "format-check: ${#unformatted[@]} files differ from .clang-format (clang-format -i FILE)" >&2
  exit 1
fi
echo "format-check: all files formatted"

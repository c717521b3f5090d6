#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset: clang with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a bounded time from its seed
# corpus in fuzz/corpus/, printing its executions and executions per second.
# New inputs collect in build/fuzz/corpus/, so that a later run goes on from
# them; the seeds are left as they are. A target that finds a fault ends the
# script with an error, leaving the input that caused it in build/fuzz/findings/.
# Usage: tools/fuzz.sh [SECONDS [TARGET...]]   (default: 60 s for each target)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
targets=("${@:2}")
[ ${#targets[@]} -gt 0 ] || targets=(wformat_fuzz xstring_fuzz code_unit_traits_fuzz)

tools/install-deps.sh build fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2

for target in "${targets[@]}"; do
  corpus=build/fuzz/corpus/$target
  findings=build/fuzz/findings/$target
  log=build/fuzz/$target.log
  mkdir -p "$corpus" "$findings"
  if ! "build/fuzz/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$findings/" "$corpus" "fuzz/corpus/$target" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz: $target found a fault; the input that shows it is in $findings/" >&2
    exit 1
  fi
  runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
  rate=$(awk '/stat::average_exec_per_sec/ {print $2}' "$log")
  size=$(grep -a 'DONE' "$log" | sed -n 's/.* corp: \([0-9]*\).*/\1/p' | tail -n 1)
  echo "fuzz: $target: $runs executions in $seconds s, $rate per second, corpus of $size inputs"
done

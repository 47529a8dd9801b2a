#!/usr/bin/env bash
# Runs every fuzz target (or the ones named) for longer than the test suite does, one after
# the other on one core, and prints each target's executions, speed and coverage.
#   scripts/fuzz.sh [seconds] [target...]      default: 300 seconds each, all four targets
# New inputs collect in build/fuzz/scratch/<target>, crashes in build/fuzz/artifacts/; a
# crash worth keeping goes into tests/fuzz/corpus/<target>/ by hand, so the suite replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(article_load_fuzzer word_search_fuzzer configuration_fuzzer captured_text_fuzzer)

[ -f build/build.ninja ] || cmake -S . -B build -G Ninja
cmake --build build --target fuzz -j2

status=0
for target in "${targets[@]}"; do
  dictionary=()
  [ -f "tests/fuzz/$target.dict" ] && dictionary=(-dict="tests/fuzz/$target.dict")
  log=build/fuzz/$target.log
  echo "== $target: ${seconds}s (log: $log)"
  if build/fuzz/"$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
       -create_missing_dirs=1 "${dictionary[@]}" -artifact_prefix="build/fuzz/artifacts/$target-" \
       "build/fuzz/scratch/$target" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
    # The last status line holds the final coverage (cov: edges, ft: features).
    grep -E '^#[0-9]+[[:space:]].*cov: ' "$log" | tail -1 || true
    grep -E '^Done |^stat::(number_of_executed_units|average_exec_per_sec)' "$log" || true
  else
    status=1
    echo "$target FAILED:"
    # A fuzzer killed from outside (out of memory) leaves no such line: its log's end then.
    grep -E 'ERROR|FUZZ PROPERTY|runtime error|Test unit written' "$log" | head -20 || tail -20 "$log"
  fi
done
exit $status

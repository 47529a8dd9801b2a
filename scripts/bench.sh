#!/usr/bin/env bash
# Runs the benchmarks on the built program and the real article files:
#  - the search engine per keystroke next to the straightforward scan (native);
#  - unscrambling 16 MB next to memcpy (native);
#  - saving one own article among 100,000 and a keystroke with them (native);
#  - writing My Words and reading both kept-word files with 10,000 words (native);
#  - whole keystrokes in the real main window under Wine, with the engine and scan alongside,
#    at 96 and at 144 DPI.
# Build first (scripts/run.sh or scripts/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
articles="$PWD/build/dist/Articles"
[ -f "$articles/Articles_English_Chinese.dat" ] || { echo "bench: build the article files first" >&2; exit 1; }
build/bench/keystroke_benchmark --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$articles"
build/bench/unscramble_benchmark --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
build/bench/own_articles_benchmark --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$articles"
build/bench/your_words_benchmark
loader=$(scripts/wine-loader.sh)
if [[ "$loader" == */wine64 ]]; then tree=windows-x86_64; dist=dist-x86_64; else tree=windows-i686; dist=dist; fi
build/wine-run.sh "build/$tree/bench/win/window_keystroke_benchmark.exe" "Z:$(echo "$PWD/build/$dist" | tr / '\\')"
# The same on a screen at 150 % (the test prefix made for 144 DPI).
DICTIONARY_TEST_DPI=144 build/wine-run.sh "build/$tree/bench/win/window_keystroke_benchmark.exe" \
  "Z:$(echo "$PWD/build/$dist" | tr / '\\')"
# Start-up to the initial lookup and resident memory, next to a minimal window program.
build/wine-run.sh "build/$tree/bench/win/startup_benchmark.exe" "Z:$(echo "$PWD/build/$dist" | tr / '\\')" 10

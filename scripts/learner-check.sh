#!/usr/bin/env bash
# How often a learner's lookup puts the right word first, on a check set made
# mechanically from the sources: the N most frequent words (default 3000) of the
# word counts that have a CC-CEDICT entry, looked up by their toneless pinyin and
# by the first English gloss of their main reading, through the program's own
# search code over the built article files; and the inflected forms of those
# English words, irregular from WordNet and regular from the word list.
#
#   scripts/learner-check.sh [N] [ARTICLES_DIR] [--plain]
#
# --plain looks up only what the exact search finds (how the program looked words
# up before it read typed text in other forms); give an older ARTICLES_DIR to
# compare files. Build first (scripts/run.sh or scripts/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
top=${1:-3000}
articles=${2:-$PWD/build/dist/Articles}
downloads=$PWD/build/downloads
for file in "$downloads/cedict_ts.u8" "$downloads/jieba_dict.txt" "$downloads/Unihan_Readings.txt" \
            "$downloads/words.txt" "$articles/Articles_English_Chinese.dat" build/tools/learner_check/learner_check; do
  [ -e "$file" ] || { echo "learner-check: $file is missing; build first" >&2; exit 1; }
done
build/tools/learner_check/learner_check --cedict "$downloads/cedict_ts.u8" --frequencies "$downloads/jieba_dict.txt" \
  --readings "$downloads/Unihan_Readings.txt" --wordnet "$downloads/wordnet" --words "$downloads/words.txt" \
  --articles "$articles" --top "$top" "${@:3}"

#!/usr/bin/env bash
# How often a learner's lookup puts the right word first, on a check set the
# ranking never reads: the HSK 2.0 word list (which only labels the articles).
# Among listed words that share a toneless pinyin, a reading or a first
# English gloss, the one of the lowest level is expected first; a word's
# taught reading is expected first in its article and its pinyin list line.
# The word counts of microblog posts and of film subtitles, which neither the
# builder nor the program reads, say which word of a pinyin key or English
# headword is clearly the most used, by each corpus and where both agree.
# An English-Chinese dictionary made apart from CC-CEDICT says which Chinese
# words translate an English word in any of their senses (给 "to; ...; to
# give"); among the words both dictionaries pair, the HSK levels and the two
# corpora each say which one a learner means.
# The lookups run through the program's own search code over the built
# article files; the English word forms of the queries are checked too.
#
#   scripts/learner-check.sh [ARTICLES_DIR] [--plain] [--show-misses N]
#
# --plain looks up only what the exact search finds (how the program looked words
# up before it read typed text in other forms); give an older ARTICLES_DIR to
# compare files. Build first (scripts/run.sh or scripts/test.sh).
set -euo pipefail
articles=
if [ $# -gt 0 ] && [ "${1#--}" = "$1" ]; then
  # A folder named from where the script is run, before moving to the repository.
  articles=$(cd -- "$1" 2> /dev/null && pwd) || { echo "learner-check: no folder $1" >&2; exit 1; }
  shift
fi
cd "$(dirname "$0")/.."
[ -n "$articles" ] || articles=$PWD/build/dist/Articles
downloads=$PWD/build/downloads
for file in "$downloads/cedict_ts.u8" "$downloads/hsk_words.txt" "$downloads/words.txt" "$downloads/weibo_words.txt" "$downloads/subtitle_words.txt" \
            "$downloads/english_chinese_translations.txt" \
            "$articles/Articles_English_Chinese.dat" build/tools/learner_check/learner_check; do
  [ -e "$file" ] || { echo "learner-check: $file is missing; build first" >&2; exit 1; }
done
build/tools/learner_check/learner_check --cedict "$downloads/cedict_ts.u8" --levels "$downloads/hsk_words.txt" \
  --wordnet "$downloads/wordnet" --words "$downloads/words.txt" --usage "$downloads/weibo_words.txt" --spoken "$downloads/subtitle_words.txt" \
  --translations "$downloads/english_chinese_translations.txt" \
  --articles "$articles" "$@"

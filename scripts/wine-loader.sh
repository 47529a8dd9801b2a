#!/usr/bin/env bash
# Prints the Wine loader that can run programs on this host. The 32-bit loader needs a
# kernel that executes 32-bit code; where it cannot (ia32 emulation switched off), only
# the 64-bit loader works, and the Windows tests are then built for x86-64.
set -u
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo /usr/lib/wine/wine
elif /usr/lib/wine/wine64 --version >/dev/null 2>&1; then
  echo /usr/lib/wine/wine64
else
  echo "wine-loader: no working Wine loader; run scripts/install-deps.sh" >&2
  exit 1
fi

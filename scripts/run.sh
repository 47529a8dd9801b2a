#!/usr/bin/env bash
# Installs what is needed, builds everything (the program and the real article files) and
# starts the dictionary under Wine. On a desktop its window appears; without a display it
# runs under Xvfb, and the script writes a screenshot and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build -j2

prefix="$PWD/build/wineprefix-desktop"
scripts/make-wine-prefix.sh "$prefix" desktop
loader=$(scripts/wine-loader.sh)
# The shipped program is 32-bit; where this kernel cannot run 32-bit code, the same
# program built for x86-64 runs instead, on the same article files.
if [[ "$loader" == */wine64 ]]; then program="$PWD/build/dist-x86_64/TandemoxDictionary.exe"; else program="$PWD/build/dist/TandemoxDictionary.exe"; fi
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [ -n "${DISPLAY:-}" ]; then
  echo "Starting $program"
  exec "$loader" "$program"
fi

screenshot="$PWD/build/screenshot.png"
display=:77
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
echo "No display: running $program under Xvfb ($display)"
# A Wine virtual desktop gives the window a screen and a task bar with a notification area.
"$loader" explorer /desktop=Dictionary,1024x768 "$program" &
program_pid=$!
sleep "${SCREENSHOT_DELAY:-8}"
import -window root "$screenshot"
echo "Screenshot of the running dictionary: $screenshot"
if [ -n "${KEEP_RUNNING:-}" ]; then wait "$program_pid"; fi
WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true

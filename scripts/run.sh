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
# Xvfb picks a free display number itself and reports it, so a display in use elsewhere
# on this machine is never taken over.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -f "$display_file"' EXIT
for _ in $(seq 50); do [ -s "$display_file" ] && break; sleep 0.1; done
display=":$(cat "$display_file")"
export DISPLAY=$display
echo "No display: running $program under Xvfb ($display)"
# A Wine virtual desktop gives the window a screen and a task bar with a notification area.
"$loader" explorer /desktop=Dictionary,1024x768 "$program" &
program_pid=$!
sleep "${SCREENSHOT_DELAY:-8}"
import -window root "$screenshot"
echo "Screenshot of the running dictionary: $screenshot"
if [ -n "${KEEP_RUNNING:-}" ]; then wait "$program_pid"; fi
WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true

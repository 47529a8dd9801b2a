#!/usr/bin/env bash
# Shows the built dictionary on a Wine virtual desktop under Xvfb and takes a screenshot
# after each step: the window, the notification area menu, the About box, and a word
# selected in notepad and captured with Control+Insert. Run after a build (the Windows
# tests' tree holds the step driver); the screenshots go to build/tour/.
set -euo pipefail
cd "$(dirname "$0")/.."
loader=$(scripts/wine-loader.sh)
if [[ "$loader" == */wine64 ]]; then arch=x86_64; dist=build/dist-x86_64; wineserver=/usr/lib/wine/wineserver64
else arch=i686; dist=build/dist; wineserver=/usr/lib/wine/wineserver32; fi
[ -x "$wineserver" ] || wineserver=wineserver
program="$PWD/$dist/TandemoxDictionary.exe"
tour="$PWD/build/windows-$arch/tests/win/desktop_tour.exe"
for f in "$program" "$tour"; do [ -f "$f" ] || { echo "desktop-tour: $f missing; build first" >&2; exit 1; }; done

prefix="$PWD/build/wineprefix-tour"
scripts/make-wine-prefix.sh "$prefix" virtual-desktop
shots="$PWD/build/tour"
mkdir -p "$shots"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

display=78
while [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap '"$wineserver" -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=":$display"
sleep 1

step() { "$loader" "$tour" "$@"; sleep "${PAUSE:-2}"; }
shot() { import -window root "$shots/$1.png"; echo "desktop-tour: $shots/$1.png"; }

"$loader" "$program" &
sleep 8
shot 1-window
step minimise
step tray-menu
shot 2-tray-menu
step key-escape
step about
shot 3-about-box
step key-escape

# A document in notepad; "dictionary" is characters 18 to 28 of its text.
document="$shots/reading.txt"
printf '\xff\xfe' >"$document"
printf 'Look it up in the dictionary.' | iconv -f UTF-8 -t UTF-16LE >>"$document"
"$loader" notepad "$(winepath -w "$document" 2>/dev/null || echo "Z:$document")" &
sleep 4
step minimise
shot 4-notepad-before-capture
step capture-from-notepad 18 28
shot 5-captured-from-notepad
step exit
shot 6-after-exit

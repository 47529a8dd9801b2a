#!/usr/bin/env bash
# Screenshots of the built dictionary on a screen at a given scale: the main window with a
# word looked up, the options dialog and the About box, each as its own picture.
#   scripts/scale-screenshots.sh [DPI] [OUTPUT_DIR]
# DPI defaults to 96 (100 %); 144 is 150 %. The pictures go to OUTPUT_DIR (default
# build/screenshots) as window-DPI.png, options-DPI.png and about-DPI.png. Run after a build.
set -euo pipefail
cd "$(dirname "$0")/.."
dpi=${1:-96}
out=${2:-$PWD/build/screenshots}
loader=$(scripts/wine-loader.sh)
if [[ "$loader" == */wine64 ]]; then arch=x86_64; dist=build/dist-x86_64; wineserver=/usr/lib/wine/wineserver64
else arch=i686; dist=build/dist; wineserver=/usr/lib/wine/wineserver32; fi
[ -x "$wineserver" ] || wineserver=wineserver
program="$PWD/$dist/TandemoxDictionary.exe"
tour="$PWD/build/windows-$arch/tests/win/desktop_tour.exe"
for f in "$program" "$tour"; do [ -f "$f" ] || { echo "scale-screenshots: $f missing; build first" >&2; exit 1; }; done

prefix="$PWD/build/wineprefix-shots-$dpi"
scripts/make-wine-prefix.sh "$prefix" virtual-desktop "$dpi"
mkdir -p "$out"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

display=88
while [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap '"$wineserver" -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=":$display"
sleep 1

step() { "$loader" "$tour" "$@"; sleep "${PAUSE:-2}"; }
# The window whose caption is given, with its frame, cut from the virtual desktop (which
# fills the X screen, so their coordinates agree).
shot() {
  local place
  place=$("$loader" "$tour" place "$1" | tr -d '\r')
  [ -n "$place" ] || { echo "scale-screenshots: no window \"$1\"" >&2; exit 1; }
  import -window root -crop "$place" +repage "$out/$2-$dpi.png"
  echo "scale-screenshots: $out/$2-$dpi.png ($place)"
}

"$loader" "$program" &
sleep 8
step look-up water
shot "Tandemox English to Chinese, Chinese to English Talking Dictionary" window
step options
shot "Application options dialog" options
step key-escape
step about
shot "About" about
step key-escape
step exit

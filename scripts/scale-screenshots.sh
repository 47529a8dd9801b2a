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
. scripts/wine-desktop-session.sh scale-screenshots
start_wine_desktop "$PWD/build/wineprefix-shots-$dpi" "$dpi"
mkdir -p "$out"

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

#!/usr/bin/env bash
# Shows the built dictionary on a Wine virtual desktop under Xvfb and takes a screenshot
# after each step: the window, the notification area menu, the About box, the own word
# article dialog, and a word
# selected in notepad and captured with Control+Insert. Run after a build (the Windows
# tests' tree holds the step driver); the screenshots go to build/tour/. DPI=144 shows it
# on a screen at 150 % (build/tour-144dpi/).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-desktop-session.sh desktop-tour
dpi=${DPI:-96}
suffix=$([ "$dpi" = 96 ] || echo "-${dpi}dpi")
start_wine_desktop "$PWD/build/wineprefix-tour$suffix" "$dpi"
shots="$PWD/build/tour$suffix"
mkdir -p "$shots"

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
step own-article
sleep 1
shot 3a-own-article-dialog
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

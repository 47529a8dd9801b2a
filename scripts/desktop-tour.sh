#!/usr/bin/env bash
# Shows the built dictionary on a Wine virtual desktop under Xvfb and takes a screenshot
# after each step: the window, the notification area menu, the About box, the own word
# article dialog, the history drop-down, the My Words dialog, both tabs in tone colours, and a word
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
# The named window alone, for the README's pictures.
window_shot() {
  local place
  place=$("$loader" "$tour" place "$2" | tr -d '\r')
  [ -n "$place" ] || { echo "desktop-tour: no window \"$2\"" >&2; return 0; }
  import -window root -crop "$place" +repage "$shots/$1.png"
  echo "desktop-tour: $shots/$1.png ($place)"
}
main_window="Tandemox English to Chinese, Chinese to English Talking Dictionary"

# The words a run looked at and kept stay beside the program: each tour starts without them.
rm -f "$(dirname "$program")/History.dat" "$(dirname "$program")/MyWords.dat"
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

# The words looked at: three words, each counted, then the word box's drop-down; two of them
# kept in My Words and the My Words dialog.
step command 224  # Show, from the notification area menu
sleep 1
for word in tell water book; do
  step look-up "$word"
  step command 2203  # the shown word counts as looked at
  [ "$word" = book ] || step command 2204  # Keep in My Words
done
sleep 1
step drop-down
sleep 1
window_shot 3b-history-drop-down "$main_window"
step key-escape
step command 2207  # My Words...
sleep 1
window_shot 3c-my-words-dialog "My Words"
step key-escape

# Tone colours and links in both tabs.
step command 2401  # Tone Colours, the first scheme
step look-up tell
sleep 1
window_shot 3d-english-tone-colours "$main_window"
step tab 1
step look-up gaosu
sleep 1
window_shot 3e-chinese-tone-colours "$main_window"
step look-up 告诉
sleep 1
window_shot 3f-chinese-article-tone-colours "$main_window"
step command 2400  # Tone Colours, Off
step tab 0

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

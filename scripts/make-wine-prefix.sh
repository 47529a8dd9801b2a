#!/usr/bin/env bash
# Makes a Wine prefix of the project's own (never the user's ~/.wine).
#   make-wine-prefix.sh PREFIX headless|desktop|virtual-desktop [DPI]
# headless: Wine's null graphics driver, so windows, controls, the clipboard and hot-keys
#           work without any X server (the in-process tests);
# desktop:  the X11 driver, for running the program and taking screenshots;
# virtual-desktop: the X11 driver with every program in one Wine virtual desktop of
#           1024 x 768, whose task bar has a notification area (the tray tests on Xvfb).
# DPI (default 96) is the screen scale Wine reports (HKCU\Control Panel\Desktop LogPixels):
# 144 is a screen at 150 %.
# Every mode gets Wine's fonts and a CJK font standing in for "MS Song"/SimSun, with font
# linking from the GUI fonts so Chinese shows in dialogs and controls as on Windows.
set -euo pipefail
prefix=${1:?prefix}
mode=${2:-headless}
dpi=${3:-96}
here=$(cd "$(dirname "$0")" && pwd)
stamp_version="5 $mode"
[ "$dpi" = 96 ] || stamp_version="$stamp_version dpi $dpi"
case "$dpi" in
  '' | *[!0-9]*) echo "make-wine-prefix: DPI '$dpi' is not a number" >&2; exit 2 ;;
esac

if [ -f "$prefix/.dictionary-prefix" ] && [ "$(cat "$prefix/.dictionary-prefix")" = "$stamp_version" ]; then
  exit 0
fi

loader=$("$here/wine-loader.sh")
case "$loader" in
  */wine64) arch=win64 ;;
  *) arch=win32 ;;
esac

# A Song (serif) face stands in for "MS Song"/SimSun; a sans face serves the GUI fonts, as on
# a Chinese Windows. Both cover the tone-marked pinyin vowels (ǎ ǐ ǒ ǔ ǖ), which some CJK
# fonts lack, and have well-drawn Latin letters.
song_font=/usr/share/fonts/opentype/noto/NotoSerifCJK-Regular.ttc
sans_font=/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc
for f in "$song_font" "$sans_font"; do
  [ -f "$f" ] || { echo "make-wine-prefix: $f missing; run scripts/install-deps.sh" >&2; exit 1; }
done

echo "make-wine-prefix: creating $prefix ($arch, $mode, $dpi DPI)"
rm -rf "$prefix"
mkdir -p "$prefix"
export WINEPREFIX="$prefix" WINEARCH="$arch" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$loader" wineboot --init >/dev/null 2>&1
wineserver=/usr/lib/wine/wineserver64
[ "$arch" = win32 ] && wineserver=/usr/lib/wine/wineserver32
[ -x "$wineserver" ] || wineserver=wineserver
"$wineserver" -w

fonts="$prefix/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp -n /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
cp "$song_font" "$sans_font" "$fonts/"

song_face="Noto Serif CJK SC"
sans_face="Noto Sans CJK SC"
link="NotoSansCJK-Regular.ttc,$sans_face"
case "$mode" in
  headless) driver=null ;;
  desktop | virtual-desktop) driver=x11 ;;
  *) echo "make-wine-prefix: unknown mode '$mode'" >&2; exit 2 ;;
esac
reg="$prefix/dictionary.reg"
{
  # An 8-bit file: Wine's regedit reads the hex(7) multi-strings as 8-bit text.
  printf 'Windows Registry Editor Version 5.00\n\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]\n"Graphics"="%s"\n\n' "$driver"
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\n'
  for f in "MS Song" "SimSun" "NSimSun"; do
    printf '"%s"="%s"\n' "$f" "$song_face"
  done
  # The dialog and GUI font, as a Chinese Windows maps it.
  printf '\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\n'
  printf '"MS Shell Dlg"="%s"\n"MS Shell Dlg 2"="%s"\n' "$sans_face" "$sans_face"
  printf '\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\n'
  for f in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "MS Sans Serif" "Segoe UI" "Arial" "Lucida Sans Unicode"; do
    printf '"%s"=hex(7):%s\n' "$f" "$(printf '%s' "$link" | od -An -tx1 -v | tr -s ' \n' ',' | sed 's/^,//;s/,$//'),00,00"
  done
  printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\n"ShowCrashDialog"=dword:00000000\n'
  if [ "$dpi" != 96 ]; then
    printf '\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n' "$dpi"
  fi
  if [ "$mode" = virtual-desktop ]; then
    printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\n"Desktop"="Default"\n'
    printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\n"Default"="1024x768"\n'
  fi
} > "$reg"
"$loader" regedit /S "$reg" >/dev/null 2>&1
"$wineserver" -w
echo "$stamp_version" > "$prefix/.dictionary-prefix"
echo "make-wine-prefix: ready"

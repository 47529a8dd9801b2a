# Sourced by the screenshot scripts: finds the built program and the step driver, and
# starts a Wine virtual desktop of a prefix of its own on a private Xvfb display.
#   . scripts/wine-desktop-session.sh NAME      (from the repository's top folder)
#   start_wine_desktop PREFIX [DPI]
# NAME prefixes the script's messages. Sets loader, program, tour and DISPLAY; the display
# and the Wine session end when the calling script exits.
session_name=$1
loader=$(scripts/wine-loader.sh)
if [[ "$loader" == */wine64 ]]; then arch=x86_64; dist=build/dist-x86_64; wineserver=/usr/lib/wine/wineserver64
else arch=i686; dist=build/dist; wineserver=/usr/lib/wine/wineserver32; fi
[ -x "$wineserver" ] || wineserver=wineserver
program="$PWD/$dist/TandemoxDictionary.exe"
tour="$PWD/build/windows-$arch/tests/win/desktop_tour.exe"
for f in "$program" "$tour"; do [ -f "$f" ] || { echo "$session_name: $f missing; build first" >&2; exit 1; }; done

start_wine_desktop() {
  local prefix=$1 dpi=${2:-96} display=78
  scripts/make-wine-prefix.sh "$prefix" virtual-desktop "$dpi"
  export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  while [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
  Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  trap '"$wineserver" -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
  export DISPLAY=":$display"
  sleep 1
}

# One step of the driver, then a pause for the screen to settle.
step() { "$loader" "$tour" "$@"; sleep "${PAUSE:-2}"; }

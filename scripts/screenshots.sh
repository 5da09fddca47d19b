#!/bin/sh
# Takes the screenshots of docs/screenshots: the main window and the
# start-time dialog of an unhosted run, under Wine in a 24-bit Xvfb screen
# (an embedded window is never drawn under Wine). The test host drives the
# program and hands over through marker files in C:\tts-e2e\shots.
#
#   scripts/screenshots.sh [build folder]     (default: build/app-win)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/app-win}
case $build in /*) ;; *) build=$PWD/$build ;; esac
out=$root/docs/screenshots

if [ -z "${TTS_SCREENSHOTS_INNER:-}" ]; then
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
  fi
  cmake --build "$build" -j2 --target TransTempaxScolvia tts_app_host >/dev/null
  "$root/scripts/wine-prefix.sh" "$build/wineprefix"
  mkdir -p "$out"
  TTS_SCREENSHOTS_INNER=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build"
fi

export WINEPREFIX="$build/wineprefix"
shots=$WINEPREFIX/drive_c/tts-e2e/shots
rm -rf "$shots"
TTS_WINEPREFIX=$WINEPREFIX "$root/cmake/wine-run.sh" "$build/tests/app/tts_app_host.exe" \
  "$build/app/TransTempaxScolvia.exe" screenshots >"$build/screenshots.log" 2>&1 &
host=$!

# capture <marker> <window title> <png>
capture() {
  i=0
  while [ ! -f "$shots/$1.ready" ]; do
    i=$((i + 1))
    if [ $i -gt 300 ]; then echo "screenshots: $1 never came" >&2; exit 1; fi
    sleep 0.1
  done
  sleep 0.5  # let the window finish painting
  id=$(xwininfo -root -tree | grep -F "\"$2\"" | head -n 1 | awk '{print $1}')
  import -window "$id" "$3"
  touch "$shots/$1.done"
  echo "$3"
}

capture main "Exportar e importar datos entre Tempaxin y Scolvia " "$out/main-window.png"
capture hora-inicio "Hora de Inicio de las Clases" "$out/start-time-dialog.png"
wait $host || { cat "$build/screenshots.log" >&2; exit 1; }
wineserver -k 2>/dev/null || true

#!/bin/sh
# Builds TransTempaxScolvia.exe and opens its window under Wine, in the
# build's own prefix, with the sample school ready in C:\QTEMP\scolvia and the
# sample solution in C:\QTEMP. Parameters are passed on to the program
# (for instance: exportar 0).
#
#   scripts/run-window.sh [parameters...]      build folder: $TTS_BUILD or build/app-win
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TTS_BUILD:-$root/build/app-win}
if [ -z "${DISPLAY:-}" ]; then
  echo "run-window.sh: no X display; on a machine without one: xvfb-run $0" >&2
  exit 1
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j2 --target TransTempaxScolvia >/dev/null
"$root/scripts/wine-prefix.sh" "$build/wineprefix"
qtemp=$build/wineprefix/drive_c/QTEMP
mkdir -p "$qtemp/scolvia"
[ -f "$qtemp/scolvia/escuela.xml" ] || cp "$root/examples/escuela.xml" "$qtemp/scolvia/"
[ -f "$qtemp/SOLUC.DBF" ] || cp "$root/examples/SOLUC.DBF" "$qtemp/"
TTS_WINEPREFIX=$build/wineprefix exec "$root/cmake/wine-run.sh" \
  "$build/app/TransTempaxScolvia.exe" "$@"

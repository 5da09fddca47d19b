#!/bin/sh
# Sets up, builds and runs every test: the native build (with AddressSanitizer
# and UBSan) and the Windows build (MinGW-w64, run under Wine inside Xvfb).
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
jobs=$(nproc 2>/dev/null || echo 2)

sh scripts/setup.sh

echo "== Compilación nativa y pruebas"
cmake -S . -B build/native -DTTS_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native -j"$jobs"
(cd build/native && ctest -j"$jobs" --output-on-failure)

echo "== Compilación para Windows y pruebas bajo Wine"
cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win -j"$jobs"
sh scripts/wine-prefix.sh "$top/build/win/wineprefix"
(cd build/win && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure)
WINEPREFIX="$top/build/win/wineprefix" wineserver -k 2>/dev/null || true

#!/bin/sh
# Runs one Windows program under Wine in the prefix prepared by
# scripts/wine-prefix.sh (TTS_WINEPREFIX, else the build's wineprefix folder).
: "${WINEPREFIX:=${TTS_WINEPREFIX:-$PWD/wineprefix}}"
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"

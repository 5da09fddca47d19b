#!/bin/sh
# Prepares a Wine prefix for the Windows tests: WINEPREFIX given as $1.
# Unmanaged windows (no 2-second wait when a window hides without a window
# manager) and Wine's own fonts, so "MS Sans Serif" is the real bitmap face.
set -eu
prefix=$1
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ -f "$prefix/.tts-ready" ]; then exit 0; fi
rm -rf "$prefix"
mkdir -p "$prefix"
wineboot --init >/dev/null 2>&1 </dev/null
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
mkdir -p "$prefix/drive_c/windows/Fonts"
cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
wineserver -w
touch "$prefix/.tts-ready"

#!/bin/sh
# Installs what the build and the tests need on a Debian machine (as root).
# Packages already present are left alone; apt-get runs only when one is missing.
set -eu
packages="cmake make g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev
  python3 python3-dbfread gdal-bin wine wine64 g++-mingw-w64-x86-64 xvfb xauth x11-utils
  fp-utils imagemagick clang libclang-rt-14-dev"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "Instalando:$missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

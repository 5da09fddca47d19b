#!/bin/sh
# Sets up, builds the command-line tool and runs the main job on the bundled
# sample school: the export of its document into a temporary working folder,
# then the import of the sample solution into a result document.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
sh scripts/setup.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DTTS_TESTS=OFF -DTTS_BENCH=OFF >/dev/null
cmake --build build/release -j"$(nproc 2>/dev/null || echo 2)" --target transtempax >/dev/null
exec sh examples/run-sample.sh "$top/build/release/cli/transtempax"

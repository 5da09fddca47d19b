#!/bin/sh
# Runs both directions on the sample school with a built transtempax:
#   examples/run-sample.sh PATH/TO/transtempax
# The export writes the six timetable tables from escuela.xml into a new
# temporary working folder, beside the sample's solution SOLUC.DBF; the import
# then reads them back and writes the result document beside a copy of
# escuela.xml. Nothing in the source tree is written.
set -eu

if [ $# -ne 1 ]; then
  echo "Uso: $0 RUTA/DE/transtempax" >&2
  exit 2
fi
tool=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/tts-ejemplo.XXXXXX")
qtemp="$work/QTEMP"
mkdir "$qtemp"
cp "$here/SOLUC.DBF" "$qtemp/"
cp "$here/escuela.xml" "$work/escuela.xml"

"$tool" exportar "$here/escuela.xml" --hora-inicio 08:30 --qtemp "$qtemp"
"$tool" importar "$work/escuela.xml" --qtemp "$qtemp"

echo "Tablas: $qtemp"
echo "Resultado: $work/ResultadoTempaxescuela.xml"

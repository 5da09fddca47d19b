#!/usr/bin/python3
"""Writes the seed corpus of the fuzz targets into OUTDIR/<target>/.

make_corpus.py OUTDIR

The seeds are small and made here: dBase files of each family the table
service reads (dBase III+/IV, level 7, Visual FoxPro), interchange documents
in the encodings it meets, and whole-number texts at the edges of the
conversion's grammar.
"""
import os
import struct
import sys


# -- dBase -----------------------------------------------------------------

def dbf(version, fields, records, driver=0x58, deleted=(), eof=True, count=None):
    """A dBase III+/IV/5 or FoxPro file. fields: (name, type, width, decimals)."""
    record_length = 1 + sum(f[2] for f in fields)
    header_length = 32 + 32 * len(fields) + 1
    if version in (0x30, 0x31, 0x32):
        header_length += 263  # Visual FoxPro's backlink area
    n = len(records) if count is None else count
    out = bytearray(struct.pack("<BBBBIHH", version, 124, 12, 11, n, header_length,
                                record_length))
    out += bytes(17) + bytes([driver]) + bytes(2)
    for name, kind, width, decimals in fields:
        out += name.encode("ascii").ljust(11, b"\0") + kind.encode("ascii")
        out += bytes(4) + bytes([width, decimals]) + bytes(14)
    out += b"\r"
    out += bytes(header_length - len(out))
    for i, cells in enumerate(records):
        out += b"*" if i in deleted else b" "
        for (name, kind, width, _), cell in zip(fields, cells):
            out += cell.ljust(width, b" ")[:width]
    if eof:
        out += b"\x1a"
    return bytes(out)


def level7(fields, records, driver_name=b"DBWINWE0"):
    """A dBase level 7 file: 68-byte header, 48-byte field descriptors."""
    record_length = 1 + sum(f[2] for f in fields)
    header_length = 68 + 48 * len(fields) + 1
    out = bytearray(struct.pack("<BBBBIHH", 0x04, 124, 12, 11, len(records), header_length,
                                record_length))
    out += bytes(20) + driver_name.ljust(32, b"\0") + bytes(4)
    for name, kind, width, decimals in fields:
        out += name.encode("ascii").ljust(32, b"\0") + kind.encode("ascii")
        out += bytes([width, decimals]) + bytes(13)
    out += b"\r"
    for cells in records:
        out += b" " + b"".join(c.ljust(f[2], b"\0")[:f[2]] for f, c in zip(fields, cells))
    out += b"\x1a"
    return bytes(out)


def level7_long(value):
    return struct.pack(">I", (value & 0xFFFFFFFF) ^ 0x80000000)


def level7_double(value):
    bits = struct.unpack(">Q", struct.pack(">d", value))[0]
    bits = (~bits & 0xFFFFFFFFFFFFFFFF) if bits >> 63 else bits | (1 << 63)
    return struct.pack(">Q", bits)


SOLUC = [("PROF", "C", 10, 0), ("DIA", "N", 11, 0), ("HORA", "N", 11, 0),
         ("TAREA", "C", 10, 0), ("AULA", "C", 10, 0)]
MIXED = [("NOMBRE", "C", 12, 0), ("HORAS", "N", 20, 4), ("ACTIVO", "L", 1, 0),
         ("ALTA", "D", 8, 0), ("NOTA", "F", 8, 2)]


def dbase_seeds():
    latin = "NÚÑEZ".encode("cp1252")
    yield "soluc", dbf(0x03, SOLUC, [
        [b"NUN", b"1".rjust(11), b"3".rjust(11), b"LE", b"A101"],
        [b"O'D", b"0".rjust(11), b"0".rjust(11), b"GUA", b"30000"],
        [latin, b"5".rjust(11), b"12".rjust(11), b"", b""]])
    yield "mixed_deleted", dbf(0x03, MIXED, [
        [b"Guardia", b"1.0167".rjust(20), b"T", b"20240901", b"2.50".rjust(8)],
        [b"Reunion", b"".rjust(20), b"?", b"        ", b"".rjust(8)],
        [b"Borrada", b"x".rjust(20), b"F", b"2024130", b"-1".rjust(8)]], deleted={1})
    yield "dbase4_memo", dbf(0x8B, [("TEXTO", "C", 5, 0), ("NOTAS", "M", 10, 0)],
                             [[b"abc", b"1".rjust(10)]], driver=0x03)
    yield "empty", dbf(0x03, SOLUC, [])
    yield "no_eof_short", dbf(0x03, SOLUC, [[b"A", b"1", b"2", b"", b""]], eof=False, count=3)
    yield "level7", level7(
        [("NUMERO", "I", 4, 0), ("AUTO", "+", 4, 0), ("VALOR", "O", 8, 0),
         ("MOMENTO", "@", 8, 0), ("TEXTO", "C", 6, 0)],
        [[level7_long(42), level7_long(1), level7_double(-2.5),
          struct.pack(">d", 63849000000000.0), b"hola"],
         [level7_long(-7), level7_long(2), level7_double(0.0), bytes(8), b""]])
    yield "visual_foxpro", dbf(0x30, [("N", "I", 4, 0), ("D", "B", 8, 0), ("Y", "Y", 8, 0),
                                      ("T", "T", 8, 0), ("C", "C", 4, 0)],
                               [[struct.pack("<i", -3), struct.pack("<d", 1.5),
                                 struct.pack("<q", 12345), struct.pack("<ii", 2460000, 3600000),
                                 b"abcd"]], driver=0x03)


# -- interchange documents ---------------------------------------------------

LISTS = """<SERVICIO>
  <ENTRADAS><entrada dato="X_CENTRO">1</entrada></ENTRADAS>
  <SALIDAS>
    <listasal seq="MATERIAS">
      <listasal><salida dato="X_MATERIAOMC">0101</salida><salida dato="ABREVIATURA">MAT</salida>
        <salida dato="C_ABREV_LARGA">MATEM</salida><salida dato="D_MATERIAOMC">Matemáticas &amp; más</salida></listasal>
      <listasal><salida dato="X_MATERIAOMC">G101</salida></listasal>
      <listasal/>
    </listasal>
    <listasal seq="PROFESORES">
      <listasal><salida dato="X_EMPLEADO">100234</salida><salida dato="F_TOMAPOS">01/09/2019</salida>
        <salida dato="NOMBRE">María José Núñez Peña</salida><salida dato="ABREVIATURA">O'D</salida></listasal>
    </listasal>
    <listasal seq="AULAS">
      <listasal><salida>3001</salida><salida>
          A101
        </salida><salida><![CDATA[Aula <1>]]></salida><salida>P<b>rincipal</b></salida></listasal>
    </listasal>
    <listasal seq="GRUPOS"><listasal><salida>2001</salida><salida>1ESOA</salida><salida>M</salida>
      <salida/><salida>1</salida><salida>Ñ</salida></listasal></listasal>
    <listasal seq="ASIGNATURAS"><listasal><salida>MAT</salida><salida>1ESOA</salida><salida>A101</salida>
      <salida>M</salida><salida>ESO</salida><salida>1</salida><salida>A</salida><salida>240</salida>
      <salida>0101</salida></listasal></listasal>
    <listasal seq="TRAMOS"><listasal><salida dato="CODIGO_SCOLVIA">6011</salida>
      <salida dato="NOMBRE">L1</salida><salida dato="MINUTOS">55</salida><!-- nota --></listasal></listasal>
  </SALIDAS>
  <SALIDAS/>
</SERVICIO>
"""


def xml_seeds():
    yield "utf8", ('<?xml version="1.0" encoding="UTF-8"?>\n' + LISTS).encode("utf-8")
    yield "utf8_bom_nodecl", b"\xef\xbb\xbf" + LISTS.encode("utf-8")
    yield "latin1", ('<?xml version="1.0" encoding="ISO-8859-1"?>\n' + LISTS).encode("latin-1")
    yield "cp1252", ('<?xml version="1.0" encoding="windows-1252"?>\n' +
                     LISTS.replace("más", "más €")).encode("cp1252")
    yield "utf16", ('<?xml version="1.0" encoding="UTF-16"?>\n' + LISTS).encode("utf-16")
    yield "entities", ('<?xml version="1.0"?>\n<SERVICIO><SALIDAS><listasal seq="AULAS">'
                       '<listasal><salida>&#x41;&#66;</salida><salida>&lt;&gt;&quot;&apos;'
                       '</salida><salida>&#x1F600;</salida><salida>x</salida></listasal>'
                       '</listasal></SALIDAS></SERVICIO>').encode("utf-8")
    yield "other_root", b'<?xml version="1.0"?><RAIZ><SALIDAS/></RAIZ>'


# -- whole numbers -------------------------------------------------------------

NUMBERS = ["0", "55", "  7", "+12", "-3", "007", "2147483647", "-2147483648", "2147483648",
           "$1A2B", "x10", "X10", "0x10", "0X10", "$FFFFFFFF", "$000000001", "-$10",
           "", " ", "5 ", "1.5", "12a", "$", "0x", "\t5", "--1", "+", "55min", "$123456789"]


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_corpus.py OUTDIR")
    out = sys.argv[1]
    seeds = {
        "dbase_layout_fuzz": list(dbase_seeds()),
        "dbase_table_fuzz": list(dbase_seeds()),
        "records_fuzz": list(xml_seeds()),
        "to_integer_fuzz": [("n%02d" % i, n.encode("ascii")) for i, n in enumerate(NUMBERS)],
    }
    for target, files in seeds.items():
        folder = os.path.join(out, target)
        os.makedirs(folder, exist_ok=True)
        for name, data in files:
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()

"""Prints a dBase table as python3-dbfread reads it, for the interop tests.

Usage: dbfread_dump.py TABLE.DBF

No encoding is forced: dbfread picks it from the table's language-driver byte,
as any outside reader would. Output (UTF-8), one item per line:
  E <encoding dbfread chose>
  N <record count of the header>
  F <name> <type> <length> <decimals>      one line per field
  R <repr of each value, joined by " | ">  one line per record read
"""
import sys

import dbfread


def main():
    sys.stdout.reconfigure(encoding="utf-8")
    table = dbfread.DBF(sys.argv[1], load=True)
    print("E", table.encoding)
    print("N", table.header.numrecords)
    for field in table.fields:
        print("F", field.name, field.type, field.length, field.decimal_count)
    for record in table.records:
        print("R", " | ".join(repr(value) for value in record.values()))


if __name__ == "__main__":
    main()

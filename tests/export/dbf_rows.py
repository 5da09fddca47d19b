"""Prints a dBase table as python3-dbfread reads it, with the encoding it
chooses itself: the field names, then one line per row, values joined by "|"
(None as an empty text)."""
import sys

import dbfread

table = dbfread.DBF(sys.argv[1])
print("|".join(table.field_names))
for row in table:
    print("|".join("" if value is None else str(value) for value in row.values()))

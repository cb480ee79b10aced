#!/usr/bin/python3
"""Reads a dBase table with python3-dbf (a reader independent of Kvem), prints
its layout and records, and writes a copy of it with python3-dbf.

    python_dbf_round_trip.py TABLE.dbf COPY.dbf

Output: one line per field "NAME TYPE LENGTH DECIMALS", a line "--", then one
line per record with the values separated by tabs (texts without trailing
blanks, numbers with the field's decimals).
"""
import sys

import dbf


def main(source, copy):
    table = dbf.Table(source, codepage='cp1250')
    table.open(dbf.READ_ONLY)
    fields = []
    for name in table.field_names:
        info = table.field_info(name)
        fields.append((name.upper(), chr(info.field_type), info.length, info.decimal))
    for name, kind, length, decimals in fields:
        print(name, kind, length, decimals)
    print('--')
    rows = []
    for record in table:
        values = []
        for (name, kind, length, decimals), value in zip(fields, record):
            if kind == 'C':
                values.append((value or '').rstrip())
            else:
                values.append('%.*f' % (decimals, value or 0))
        rows.append(tuple(record))
        print('\t'.join(values))
    layout = '; '.join('%s %s(%d%s)' % (n, k, l, ',%d' % d if k == 'N' else '')
                     for n, k, l, d in fields)
    table.close()
    out = dbf.Table(copy, layout, dbf_type='db3', codepage='cp1250')
    out.open(dbf.READ_WRITE)
    for row in rows:
        out.append(row)
    out.close()


if __name__ == '__main__':
    main(sys.argv[1], sys.argv[2])

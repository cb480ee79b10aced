#!/usr/bin/python3
"""Reads every shipped standard table with Debian's python3-dbf, a dBase
reader written by others, and compares it with the table's text source:
the same fields, the same number of rows, the same texts and numbers.

    read_with_python_dbf.py DATA_TREE
"""
import csv
import glob
import os
import sys

try:
    import dbf
except ImportError:
    sys.exit("python3-dbf is not installed (apt-get install python3-dbf)")


def read_source(path):
    with open(path, encoding="utf-8", newline="") as f:
        lines = [l for l in f.read().split("\n") if l and not l.startswith("#")]
    fields = [c.split(":") for c in lines[0].split(",")]
    return fields, list(csv.reader(lines[1:]))


def same(kind, decimals, cell, value):
    if kind == "C":
        return (value or "").rstrip() == cell
    if cell == "":
        return value in (None, 0)
    return abs(float(value) - round(float(cell), int(decimals))) < 1e-9


def main():
    tree = sys.argv[1]
    sources = sorted(glob.glob(os.path.join(tree, "src", "Kvem", "Data", "*.csv")))
    failures = []
    for source in sources:
        name = os.path.basename(source)[:-4]
        fields, rows = read_source(source)
        table = dbf.Table(os.path.join(tree, "Kvem", "Data", name + ".dbf"), codepage="cp1250")
        table.open(dbf.READ_ONLY)
        try:
            names = [f.upper() for f in table.field_names]
            if names != [f[0].upper() for f in fields]:
                failures.append(f"{name}: fields {names}")
                continue
            if len(table) != len(rows):
                failures.append(f"{name}: {len(table)} rows, the source has {len(rows)}")
                continue
            for number, (record, row) in enumerate(zip(table, rows), 1):
                for (fname, kind, _, decimals), cell, value in zip(fields, row, record):
                    if not same(kind, decimals, cell, value):
                        failures.append(f"{name} row {number} {fname}: {value!r} != {cell!r}")
        finally:
            table.close()
    for f in failures:
        print(f)
    if not failures:
        print(f"python3-dbf read all {len(sources)} tables as their sources hold them")
    return 1 if failures or not sources else 0


if __name__ == "__main__":
    sys.exit(main())

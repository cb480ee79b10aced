#!/usr/bin/python3
"""Has LibreOffice Calc, headless, convert shipped standard tables to CSV and
compares the result with the tables' text sources: the same fields, rows,
texts (Windows-1250 read as such) and numbers. Exits 77 (skipped) when
LibreOffice is not installed.

    convert_with_libreoffice.py DATA_TREE
"""
import csv
import os
import shutil
import subprocess
import sys
import tempfile

TABLES = ["Kvem_Te.CZ", "Kvem_StK.CZ"]
# dBase import in Windows-1250 (LibreOffice's text encoding 33); CSV export
# with commas, double quotes, UTF-8 (76).
IN_FILTER = "dBase:33"
OUT_FILTER = "csv:Text - txt - csv (StarCalc):44,34,76"


def read_source(path):
    with open(path, encoding="utf-8", newline="") as f:
        lines = [l for l in f.read().split("\n") if l and not l.startswith("#")]
    fields = [c.split(":") for c in lines[0].split(",")]
    return fields, list(csv.reader(lines[1:]))


def main():
    soffice = shutil.which("soffice") or shutil.which("libreoffice")
    if not soffice:
        print("LibreOffice is not installed; skipped")
        return 77
    tree = sys.argv[1]
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        tables = [os.path.join(tree, "Kvem", "Data", t + ".dbf") for t in TABLES]
        # A profile of its own, so a running LibreOffice or a user's settings play no part.
        command = [soffice, "-env:UserInstallation=file://" + os.path.join(tmp, "profile"),
                   "--headless", "--infilter=" + IN_FILTER, "--convert-to", OUT_FILTER,
                   "--outdir", os.path.join(tmp, "out")] + tables
        result = subprocess.run(command, stdin=subprocess.DEVNULL, capture_output=True,
                                text=True, timeout=240)
        for name in TABLES:
            out = os.path.join(tmp, "out", name + ".csv")
            if not os.path.exists(out):
                failures.append(f"{name}: not converted ({result.stdout.strip()} {result.stderr.strip()})")
                continue
            with open(out, encoding="utf-8", newline="") as f:
                converted = list(csv.reader(f))
            fields, rows = read_source(os.path.join(tree, "src", "Kvem", "Data", name + ".csv"))
            # Calc's heading row: "NAME,TYPE,LENGTH[,DECIMALS]" per field.
            names = [h.split(",")[0] for h in converted[0]]
            if names != [f[0] for f in fields]:
                failures.append(f"{name}: fields {names}")
            body = converted[1:]
            if len(body) != len(rows):
                failures.append(f"{name}: {len(body)} rows, the source has {len(rows)}")
                continue
            for number, (got, want) in enumerate(zip(body, rows), 1):
                got = got + [""] * (len(want) - len(got))
                for (fname, kind, _, _), value, cell in zip(fields, got, want):
                    ok = value == cell if kind == "C" else float(value or 0) == float(cell or 0)
                    if not ok:
                        failures.append(f"{name} row {number} {fname}: {value!r} != {cell!r}")
    for f in failures:
        print(f)
    if not failures:
        print(f"LibreOffice converted {', '.join(TABLES)} with the contents of their sources")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

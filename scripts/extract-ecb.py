#!/usr/bin/env python3
"""Cuts the built-in extract from the ECB's euro reference-rate history.

Keeps the currencies that still float against the euro, in the ECB's own file format (header by
code, trailing comma, N/A, newest first), so the program reads it with the same reader as a
teacher's file. Run by hand after a new history file; commit the result.
    scripts/extract-ecb.py ../shared/data/eurofxref-hist.csv data/eurofxref-extract.csv
"""
import sys

# Left out: the currencies the euro replaced (CYP, EEK, HRK, LTL, LVL, MTL, SIT, SKK), the
# lei and lira it was redenominated from (ROL, TRL), and the lev, fixed to the euro (BGN).
FLOATING = """USD JPY CZK DKK GBP HUF PLN RON SEK CHF ISK NOK RUB TRY AUD BRL CAD CNY HKD
IDR ILS INR KRW MXN MYR NZD PHP SGD THB ZAR""".split()


def main(source, target):
    with open(source, newline="") as f:
        lines = f.read().split("\n")
    header = lines[0].split(",")
    keep = [0] + [header.index(code) for code in FLOATING]
    out = []
    for line in lines:
        if not line:
            continue
        cells = line.split(",")
        kept = [cells[i] for i in keep]
        if all(cell == "N/A" for cell in kept[1:]):
            continue
        out.append(",".join(kept) + ",")
    with open(target, "w", newline="") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main(*sys.argv[1:3])

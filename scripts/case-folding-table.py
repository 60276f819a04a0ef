#!/usr/bin/env python3
"""Prints the table of core/text/case_folding.cpp: Unicode's simple case folding as runs.

Each run is {first, last, delta, stride}: every stride-th code point from first to last folds to
itself plus delta. Python's own Unicode data gives the folding (str.casefold, which is the full
folding; where that is more than one character, the simple one is the lower case, if single).
Run it with the Python whose Unicode version the table should follow:
  python3 scripts/case-folding-table.py > /tmp/table && (paste it between the markers)
"""
import sys
import unicodedata


def simple_fold(code):
    char = chr(code)
    for folded in (char.casefold(), char.lower()):
        if len(folded) == 1:
            return ord(folded)
    return code


def runs():
    found = []
    for code in range(0x110000):
        folded = simple_fold(code)
        if folded == code:
            continue
        delta = folded - code
        if found:
            first, last, run_delta, stride = found[-1]
            step = code - last
            if run_delta == delta and step in (1, 2) and (stride == step or first == last):
                found[-1] = [first, code, delta, step]
                continue
        found.append([code, code, delta, 1])
    return found


def main():
    print(f"// Unicode {unicodedata.unidata_version}, {len(runs())} runs.")
    for first, last, delta, stride in runs():
        print(f"    {{0x{first:04X}, 0x{last:04X}, {delta}, {stride}}},")
    return 0


if __name__ == "__main__":
    sys.exit(main())

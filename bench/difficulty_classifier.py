#!/usr/bin/python3
"""A trained classifier against the made-up lists: gradient boosting on both lists' statistics.

Runs difficulty_bench with --features, trains per level on the turns of the odd seed and
prints the accuracy on those of the even seed, the turns the bench's rules were scored on.
Needs Debian's python3-sklearn. Run by hand:
    python3 bench/difficulty_classifier.py build/bench/difficulty_bench [turns] [catalogue|ecb|FILE]
"""

import csv
import os
import subprocess
import sys
import tempfile

try:
    from sklearn.ensemble import HistGradientBoostingClassifier
except ImportError:
    sys.exit("difficulty_classifier: needs scikit-learn (apt-get install python3-sklearn)")


def read_turns(path):
    """{level: {"train": (features, labels), "test": (...)}} from the bench's CSV."""
    levels = {}
    with open(path, newline="") as f:
        for row in csv.DictReader(f):
            split = levels.setdefault(int(row["level"]), {}).setdefault(row["split"], ([], []))
            split[0].append([float(v) for k, v in row.items() if k.startswith("rule")])
            split[1].append(int(row["real_side"]))
    return levels


def accuracy(train, test):
    model = HistGradientBoostingClassifier(max_iter=300, learning_rate=0.05, random_state=1)
    model.fit(*train)
    hits = sum(int(p == y) for p, y in zip(model.predict(test[0]), test[1]))
    return hits / len(test[1])


def main():
    if len(sys.argv) < 2 or len(sys.argv) > 4:
        sys.exit(__doc__.strip().splitlines()[-1].strip())
    bench, rest = sys.argv[1], sys.argv[2:]
    turns = rest[0] if rest else "10000"
    source = rest[1] if len(rest) > 1 else "catalogue"
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "features.csv")
        subprocess.run([bench, turns, source, "--features", path], check=True,
                       stdout=subprocess.DEVNULL)
        levels = read_turns(path)
    print(f"gradient boosting, trained on the odd seeds, tested on the even ones; data: {source}")
    for level, splits in sorted(levels.items()):
        print(f"level {level}: {100 * accuracy(splits['train'], splits['test']):.1f} %")


if __name__ == "__main__":
    main()

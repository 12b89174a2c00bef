#!/usr/bin/env python3
"""Side-by-side comparison on the work a user does: the same TAB file of N rows (group and three
parts) to a 1600 x 1230 PNG, whole process, through quarvel-cli render and through matplotlib.
Prints both medians and their ratio.

    bench/compare_render.py QUARVEL_CLI [--rows 10000,100000,1000000] [--runs 3]
"""
import argparse
import os
import random
import statistics
import subprocess
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
GROUPS = ["Basalt", "Andesite", "Dacite", "Rhyolite", "Trachyte"]


def write_table(path, rows):
    rng = random.Random(42)
    with open(path, "w") as out:
        for _ in range(rows):
            parts = "\t".join(f"{rng.uniform(0.5, 80.0):.2f}" for _ in range(3))
            out.write(f"{rng.choice(GROUPS)}\t{parts}\n")


def median_seconds(command, runs):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        times.append(time.perf_counter() - start)
    return statistics.median(times)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("--rows", default="10000,100000,1000000")
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    print(f"{'rows':>10} {'quarvel-cli s':>14} {'matplotlib s':>14} {'ratio':>8}   (medians of {args.runs} runs)")
    with tempfile.TemporaryDirectory() as tmp:
        for rows in (int(r) for r in args.rows.split(",")):
            table = os.path.join(tmp, f"table{rows}.txt")
            write_table(table, rows)
            quarvel = median_seconds([args.cli, "render", table, "-o", os.path.join(tmp, "q.png")], args.runs)
            mpl = median_seconds(["/usr/bin/python3", os.path.join(HERE, "ternary_matplotlib.py"), table,
                                  os.path.join(tmp, "m.png")], args.runs)
            print(f"{rows:>10} {quarvel:>14.3f} {mpl:>14.3f} {mpl / quarvel:>8.1f}", flush=True)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Side-by-side comparison on the work a user does: the same TAB file of N rows (group and three
parts, 5 groups) to a 1600 x 1230 PNG, whole process each time, through quarvel-cli render and
through the lean matplotlib script beside this one; then the same document as a .qvd file through
quarvel-cli. Prints medians of wall time and of peak memory (the process's largest resident set).

    bench/compare_render.py QUARVEL_CLI [--rows 5,100000,1000000] [--runs 5] [--no-matplotlib]
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
# Seconds and MB that quarvel-cli render should stay within, by rows.
GOALS = {5: (0.060, None), 100000: (0.100, None), 1000000: (0.300, 120)}


def write_table(path, rows):
    rng = random.Random(42)
    with open(path, "w") as out:
        for _ in range(rows):
            parts = "\t".join(f"{rng.uniform(0.5, 80.0):.2f}" for _ in range(3))
            out.write(f"{rng.choice(GROUPS)}\t{parts}\n")


def run_once(command):
    """Wall seconds, peak resident MB and processor seconds of one whole process."""
    env = dict(os.environ, QT_QPA_PLATFORM=os.environ.get("QT_QPA_PLATFORM", "offscreen"))
    start = time.perf_counter()
    child = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
    _, status, usage = os.wait4(child.pid, 0)
    seconds = time.perf_counter() - start
    child.returncode = os.waitstatus_to_exitcode(status)
    if child.returncode != 0:
        raise SystemExit(f"failed ({child.returncode}): {' '.join(command)}")
    return seconds, usage.ru_maxrss / 1024.0, usage.ru_utime + usage.ru_stime


def medians(command, runs):
    results = [run_once(command) for _ in range(runs)]
    return tuple(statistics.median(r[i] for r in results) for i in range(3))


def verdict(rows, seconds, megabytes):
    goal_seconds, goal_mb = GOALS.get(rows, (None, None))
    notes = []
    if goal_seconds is not None:
        notes.append(f"{'ok' if seconds <= goal_seconds else 'OVER'} (<= {goal_seconds:.3f} s)")
    if goal_mb is not None:
        notes.append(f"{'ok' if megabytes <= goal_mb else 'OVER'} (<= {goal_mb} MB)")
    return ", ".join(notes)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("--rows", default="5,100000,1000000")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--no-matplotlib", action="store_true")
    args = parser.parse_args()
    print(f"medians of {args.runs} runs, whole process; load average {os.getloadavg()[0]:.1f} at the start")
    print(f"{'rows':>9} {'input':>5} {'quarvel-cli s':>14} {'cpu s':>6} {'MB':>7} {'matplotlib s':>13} {'MB':>7} "
          f"{'ratio':>6}  goals")
    with tempfile.TemporaryDirectory() as tmp:
        for rows in (int(r) for r in args.rows.split(",")):
            table = os.path.join(tmp, f"table{rows}.txt")
            document = os.path.join(tmp, f"table{rows}.qvd")
            write_table(table, rows)
            subprocess.run([args.cli, "convert", table, "-o", document], check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            out = os.path.join(tmp, "q.png")
            q_s, q_mb, q_cpu = medians([args.cli, "render", table, "-o", out], args.runs)
            line = f"{rows:>9} {'txt':>5} {q_s:>14.3f} {q_cpu:>6.3f} {q_mb:>7.1f}"
            if not args.no_matplotlib:
                m_s, m_mb, _ = medians(["/usr/bin/python3", os.path.join(HERE, "ternary_matplotlib.py"), table,
                                     os.path.join(tmp, "m.png")], args.runs)
                line += f" {m_s:>13.3f} {m_mb:>7.1f} {m_s / q_s:>6.1f}"
            else:
                line += f" {'':>13} {'':>7} {'':>6}"
            print(f"{line}  {verdict(rows, q_s, q_mb)}", flush=True)
            d_s, d_mb, d_cpu = medians([args.cli, "render", document, "-o", out], args.runs)
            print(f"{rows:>9} {'qvd':>5} {d_s:>14.3f} {d_cpu:>6.3f} {d_mb:>7.1f} {'':>13} {'':>7} {'':>6}  "
                  f"{'ok' if d_s <= q_s * 1.05 else 'SLOWER'} (no slower than txt)", flush=True)


if __name__ == "__main__":
    main()

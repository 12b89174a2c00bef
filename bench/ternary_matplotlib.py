#!/usr/bin/python3
"""The same picture the way matplotlib-based ternary packages draw it, for the comparison with
quarvel-cli render: a TAB file of group and three parts read with pandas, the ternary projection
done by hand, one scatter per group, dotted grid, ticks, numbers, titles and legend.

    /usr/bin/python3 ternary_matplotlib.py IN.txt OUT.png
"""
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402
import pandas as pd  # noqa: E402

H = np.sqrt(0.75)


def project(bottom, left, right):
    """Clockwise orientation: bottom 100 % at the lower left, right at the lower right, left at the apex."""
    total = bottom + left + right
    b, l, r = bottom / total, left / total, right / total
    return (r - b + 1) * 0.5, l * H


def main(source, target):
    table = pd.read_csv(source, sep="\t", header=None, usecols=[0, 1, 2, 3],
                        names=["group", "bottom", "left", "right"])
    fig = plt.figure(figsize=(16, 12.3), dpi=100)
    ax = fig.add_axes([0.1, 0.1, 0.65, 0.8])
    ax.set_aspect("equal")
    ax.axis("off")
    ax.plot([0, 1, 0.5, 0], [0, 0, H, 0], color="black", linewidth=1)
    for i in range(1, 10):
        f = i / 10
        ax.plot([f * 0.5, 1 - f * 0.5], [f * H, f * H], ":", color="black", linewidth=0.6)
        ax.plot([f, 0.5 + f * 0.5], [0, (1 - f) * H], ":", color="black", linewidth=0.6)
        ax.plot([f, f * 0.5], [0, f * H], ":", color="black", linewidth=0.6)
    for i in range(0, 10):
        f = i / 10
        value = f"{100 - i * 10}"
        x, y = 0.5 - f * 0.5, H - f * H
        ax.plot([x, x - 0.012], [y, y], color="black", linewidth=0.8)
        ax.text(x - 0.016, y, value, ha="right", va="center", fontsize=9)
        x, y = 1 - f * 0.5, f * H
        ax.plot([x, x + 0.006], [y, y + 0.010], color="black", linewidth=0.8)
        ax.text(x + 0.008, y + 0.012, value, ha="left", va="bottom", fontsize=9)
        x = f
        ax.plot([x, x - 0.006], [0, -0.010], color="black", linewidth=0.8)
        ax.text(x, -0.02, value, ha="center", va="top", fontsize=9)
    ax.text(0.5, H + 0.04, "Left", ha="center", fontsize=9)
    ax.text(0.0, -0.06, "Bottom", ha="center", fontsize=9)
    ax.text(1.0, -0.06, "Right", ha="center", fontsize=9)
    for i, (name, rows) in enumerate(table.groupby("group", sort=False)):
        x, y = project(rows["bottom"].to_numpy(), rows["left"].to_numpy(), rows["right"].to_numpy())
        ax.scatter(x, y, s=12 ** 2, marker="o", facecolors="none", edgecolors=f"C{i % 10}", linewidths=1,
                   label=name)
    ax.legend(loc="upper left", bbox_to_anchor=(1.0, 1.0), fontsize=9, frameon=True)
    fig.savefig(target, dpi=100)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])

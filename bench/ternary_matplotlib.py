#!/usr/bin/python3
"""The same picture drawn the leanest honest way with matplotlib, for the comparison with
quarvel-cli render: the TAB file of group and three parts read with pandas, the ternary projection
done by hand with numpy, one scatter per group with small markers without edges, the Agg backend,
outline, dotted grid and ticks as line collections, numbers, titles and legend.

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
    return (right - bottom) / total * 0.5 + 0.5, left / total * H


def main(source, target):
    table = pd.read_csv(source, sep="\t", header=None, usecols=[0, 1, 2, 3],
                        names=["group", "bottom", "left", "right"],
                        dtype={"group": "category", "bottom": np.float64, "left": np.float64, "right": np.float64})
    fig = plt.figure(figsize=(16, 12.3), dpi=100)
    ax = fig.add_axes([0.1, 0.1, 0.65, 0.8])
    ax.set_aspect("equal")
    ax.axis("off")
    ax.plot([0, 1, 0.5, 0], [0, 0, H, 0], color="black", linewidth=1)
    grid = []
    for i in range(1, 10):
        f = i / 10
        grid += [[(f * 0.5, f * H), (1 - f * 0.5, f * H)], [(f, 0), (0.5 + f * 0.5, (1 - f) * H)],
                 [(f, 0), (f * 0.5, f * H)]]
    ax.add_collection(matplotlib.collections.LineCollection(grid, colors="black", linewidths=0.6,
                                                            linestyles=":"))
    ticks = []
    for i in range(0, 10):
        f = i / 10
        value = f"{100 - i * 10}"
        x, y = 0.5 - f * 0.5, H - f * H
        ticks += [[(x, y), (x - 0.012, y)], [(1 - f * 0.5, f * H), (1 - f * 0.5 + 0.006, f * H + 0.010)],
                  [(f, 0), (f - 0.006, -0.010)]]
        ax.text(0.5 - f * 0.5 - 0.016, H - f * H, value, ha="right", va="center", fontsize=9)
        ax.text(1 - f * 0.5 + 0.008, f * H + 0.012, value, ha="left", va="bottom", fontsize=9)
        ax.text(f, -0.02, value, ha="center", va="top", fontsize=9)
    ax.add_collection(matplotlib.collections.LineCollection(ticks, colors="black", linewidths=0.8))
    ax.text(0.5, H + 0.04, "Left", ha="center", fontsize=9)
    ax.text(0.0, -0.06, "Bottom", ha="center", fontsize=9)
    ax.text(1.0, -0.06, "Right", ha="center", fontsize=9)
    parts = table[["bottom", "left", "right"]].to_numpy()
    x, y = project(parts[:, 0], parts[:, 1], parts[:, 2])
    codes = table["group"].cat.codes.to_numpy()
    for i, name in enumerate(table["group"].cat.categories):
        chosen = codes == i
        ax.scatter(x[chosen], y[chosen], s=9, marker="o", color=f"C{i % 10}", linewidths=0, label=name)
    ax.legend(loc="upper left", bbox_to_anchor=(1.0, 1.0), fontsize=9, frameon=True, markerscale=2)
    fig.savefig(target, dpi=100)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])

#!/usr/bin/python3
"""The click-to-pixels work done the usual scientific-Python way, as a
yardstick for BM_ClickToPixels: the same junction (default inputs: donor and
acceptor 1e15 cm^-3, 1 mm^2, 0 V), its 2000-sample profiles and C-V sweep in
numpy, and five 400 x 330 figures rendered by matplotlib's Agg into pixel
buffers.  Prints the median of N rounds (default 21) in milliseconds.

bench/numpy-peer.py [ROUNDS]   (needs python3-numpy and python3-matplotlib)
"""
import statistics
import sys
import time

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

Q, EPS0, EPSR, K, T = 1.602e-19, 8.854e-12, 11.9, 1.381e-23, 300.0
NI, NC, EG = 1.08e16, 2.86e25, 1.12


def solve(nd_cm, na_cm, area_mm2, bias):
    nd, na, area = nd_cm * 1e6, na_cm * 1e6, area_mm2 * 1e-6
    vt = K * T / Q
    vbi = np.log(na * nd / NI / NI) * vt
    # The C-V sweep from -10 V up to the maximum bias.
    count = int((10 + vbi) / 0.1 + 1)
    v = np.arange(count) * 0.1 - 10
    c = area * np.sqrt(Q * EPSR * EPS0 * na * nd / (2 * (na + nd) * (vbi - v)))
    # Depletion widths and the profiles over 2000 samples of 10 nm.
    xn = np.sqrt(2 * EPSR * EPS0 * na * (vbi - bias) / Q / nd / (na + nd))
    xp = np.sqrt(2 * EPSR * EPS0 * nd * (vbi - bias) / Q / na / (na + nd))
    x = np.arange(2000) * 1e-8 - 1e-5
    vn = Q * nd * xn * xn * 0.5 / EPSR / EPS0
    phi = np.where(x >= xn, 0.0,
                   np.where(x > 0, -Q * nd / (2 * EPSR * EPS0) * (xn - x) ** 2,
                            np.where(x >= -xp, -(vbi - bias) + Q * na / (2 * EPSR * EPS0) * (x + xp) ** 2,
                                     -(vbi - bias))))
    dec = np.log(NC / nd) * vt
    ec = dec - phi
    ev = ec - EG
    rho_x = np.array([-xp, -xp, 0, 0, xn, xn]) * 1e6
    rho_y = np.array([0, -na_cm, -na_cm, nd_cm, nd_cm, 0])
    return {
        "band": (x * 1e6, [ec, ev, np.zeros_like(x), np.full_like(x, -bias)]),
        "charge": (rho_x, [rho_y]),
        "potential": (x * 1e6, [phi]),
        "cv": (v, [c * 1e12]),
        "c2v": (v, [1 / (c * c) * 1e-18]),
        "vn": vn,
    }


def render(result, figures):
    buffers = []
    for name, fig in figures.items():
        ax = fig.axes[0]
        ax.clear()
        xs, ys = result[name]
        for y in ys:
            ax.plot(xs, y, linewidth=1)
        ax.grid(True, linestyle=":")
        fig.canvas.draw()
        buffers.append(fig.canvas.buffer_rgba())
    return buffers


def main():
    rounds = int(sys.argv[1]) if len(sys.argv) > 1 else 21
    figures = {}
    for name in ("band", "charge", "potential", "cv", "c2v"):
        fig = plt.figure(figsize=(4.0, 3.3), dpi=100)
        fig.add_subplot(1, 1, 1)
        figures[name] = fig
    times = []
    for _ in range(rounds + 1):
        start = time.perf_counter()
        render(solve(1e15, 1e15, 1.0, 0.0), figures)
        times.append(time.perf_counter() - start)
    # The first round loads fonts and caches; it is left out.
    print(f"numpy + matplotlib click-to-pixels: median {statistics.median(times[1:]) * 1e3:.1f} ms ({rounds} rounds)")


if __name__ == "__main__":
    main()

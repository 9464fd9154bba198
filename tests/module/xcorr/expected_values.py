#!/usr/bin/env python3
"""Expected values of the correlation analysis tests, computed independently of the module.

Written from the documented arithmetic only: the sweeps of the tests (MakeSweep and
WindingResponse of tests/support/HostFixture), the single-precision dB conversion, the merged
grid, the band-edge search, the interpolation and the statistics. Single-precision steps are
rounded with struct (float32); everything else is Python's double arithmetic in the documented
order. Run it to print the literals of the XCorr*Test.cpp files beside it.
"""
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
from sweep_reference import f32, interpolate, make_sweep, merge, near_index, to_decibel, \
    winding_response  # noqa: E402


NO_LOW_EDGE = f32(3.0e38)
NO_HIGH_EDGE = f32(3.1e38)
UNDEFINED = 9e99


def edges(lo, hi, grid, tolerance):
    i1 = near_index(lo, grid, tolerance)
    if i1 < 0:
        return None, NO_LOW_EDGE
    i2 = near_index(hi, grid, tolerance)
    if i2 < 0:
        return None, NO_HIGH_EDGE
    return (i1, i2), None


def total(values):
    s = 0.0
    for v in values:
        s += v
    return s


def correlation(lo, hi, a, b, grid):
    span, marker = edges(lo, hi, grid, 0.01)
    if marker is not None:
        return marker
    i1, i2 = span
    n = i2 - i1
    if n <= 0:
        return UNDEFINED
    av = [interpolate(a, grid[k]) for k in range(i1, i2)]
    bv = [interpolate(b, grid[k]) for k in range(i1, i2)]
    ma = (1.0 / n) * total(av)
    mb = (1.0 / n) * total(bv)
    va = (1.0 / n) * total((x - ma) * (x - ma) for x in av)
    vb = (1.0 / n) * total((y - mb) * (y - mb) for y in bv)
    cov = total((x - ma) * (y - mb) for x, y in zip(av, bv))
    s = math.sqrt(va * vb)
    return ((1.0 / n) * cov) / s if abs(s) > 0 else UNDEFINED


def relative_factor(lo, hi, a, b, grid):
    d = 1.0 - correlation(lo, hi, a, b, grid)
    return 10.0 if f32(1e-10) > d else -math.log10(d)


def mean_square_difference(lo, hi, a, b, grid):
    span, marker = edges(lo, hi, grid, 0.01)
    if marker is not None:
        return marker
    i1, i2 = span
    n = i2 - i1
    s = total((interpolate(a, grid[k]) - interpolate(b, grid[k])) ** 2 for k in range(i1, i2 + 1))
    return UNDEFINED if n == 0 else s / n


def magnitude_difference(a, b, grid, lo=110.0, hi=2000.0):
    span, marker = edges(lo, hi, grid, 0.1)
    if marker is not None:
        return marker
    i1, i2 = span
    n = i2 - i1
    av = [interpolate(a, grid[i1 + k]) for k in range(n)]
    bv = [interpolate(b, grid[i1 + k]) for k in range(n)]
    c = next((k for k, v in enumerate(av) if v <= -20.0), -1)
    r = next((k for k, v in enumerate(av) if v >= -20.0), -1)
    if c > 0:
        return av[c] - bv[c]
    if r < 0:
        return av[0] - bv[0]
    if c < 0:
        return av[n - 1] - bv[n - 1]
    return UNDEFINED


STATISTICS = (correlation, relative_factor, mean_square_difference)
DEFAULT_BANDS = (
    ((1000.0, 100000.0), (100000.0, 600000.0), (600000.0, 1000000.0)),
    ((1000.0, 100000.0), (100000.0, 600000.0), (600000.0, 1000000.0)),
    ((10000.0, 700000.0),),
)


def main():
    phases = {
        "A": to_decibel(make_sweep(lambda f: winding_response(f))),
        "B": to_decibel(make_sweep(lambda f: winding_response(f, 0.01, 1))),
        "C": to_decibel(make_sweep(lambda f: winding_response(f, -0.02, 2))),
    }
    pairs = (("A", "B"), ("B", "C"), ("C", "A"))
    print("Three phases, default bands: statistic per technique, pair and band; "
          "magnitude difference per pair")
    for technique, statistic in enumerate(STATISTICS):
        for first, second in pairs:
            a, b = phases[first], phases[second]
            grid = merge(a, b)
            values = [statistic(lo, hi, a, b, grid) for lo, hi in DEFAULT_BANDS[technique]]
            print(technique, first + second, ", ".join(repr(v) for v in values),
                  "|", ", ".join("%.2f" % v for v in values))
    for first, second in pairs:
        a, b = phases[first], phases[second]
        print("magnitude difference", first + second,
              repr(magnitude_difference(a, b, merge(a, b))))

    # Flat sweeps at 0 dB, -0.25 dB and -0.26 dB (the ratios 10^(dB/20)).
    flat = {name: to_decibel(make_sweep(lambda f, r=10.0 ** (level / 20.0): r, 200, 100.0, 1.0e5))
            for name, level in (("A", 0.0), ("B", -0.25), ("C", -0.26))}
    print("Flat sweeps: magnitude difference per pair")
    for first, second in pairs:
        a, b = flat[first], flat[second]
        d = magnitude_difference(a, b, merge(a, b))
        print(first + second, repr(d), "next towards zero", repr(math.nextafter(d, 0.0)),
              "%.2f" % d)


if __name__ == "__main__":
    main()

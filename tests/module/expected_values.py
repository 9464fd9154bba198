#!/usr/bin/env python3
"""Expected values of the comparison analyzers' tests (xcorr/XCorr*Test.cpp and
dlt911/DTL911*Test.cpp), computed independently of the module from the documented arithmetic
only, with plain Python floats in the documented order and float32 rounding by struct:

- the test phases of HostFixture (MakeSweep and WindingResponse), stored as floats;
- the analyzers' dB conversion: log10 in double, rounded to float, times 20 in float;
- the merged grid of two sweeps, the band edge search within a tolerance, and the reading of
  a sweep's magnitude at a frequency (points with an infinite magnitude skipped, 1.0 when no
  pair of points holds the frequency);
- the statistics, the magnitude difference and the DL/T 911 verdict of a pair's factors.
Run it to print the literals of those tests.
"""
import math
import struct


def f32(x):
    return struct.unpack('f', struct.pack('f', x))[0]


def winding_response(f, shift=0.0, seed=0):
    x = math.log10(f)
    response = 0.5 / (1.0 + f / 2.0e4)
    for r in (3.7, 4.4, 5.0, 5.6, 5.95):
        d = x - (r + shift)
        response += 0.08 / (1.0 + 400.0 * d * d)
    response *= 1.0 + 0.03 * seed * math.sin(7.0 * x * (seed + 1))
    return response


def make_sweep(magnitude, count=600, first=100.0, last=2.0e6):
    """Points (frequency, magnitude ratio), log-spaced, as MakeSweep stores them."""
    step = math.log(last / first) / (count - 1)
    points = []
    for i in range(count):
        f = first * math.exp(step * i)
        points.append((f32(f), f32(magnitude(f))))
    return points


def to_decibel(points):
    return [(f, f32(f32(20.0) * f32(math.log10(v)))) for f, v in points]


def merge(a, b):
    grid, j = [], 0
    for fa, _ in a:
        while j < len(b):
            fb = b[j][0]
            if fb == fa:
                grid.append(fb)
                j += 1
                break
            if fb > fa:
                grid.append(fa)
                break
            grid.append(fb)
            j += 1
    return grid


def near_index(f, grid, tolerance):
    lo, hi, mid = 0, len(grid) - 1, 0
    while lo <= hi:
        mid = (lo + hi) // 2
        if f > grid[mid]:
            lo = mid + 1
        elif grid[mid] > f:
            hi = mid - 1
        else:
            return mid
    tol = f * tolerance
    for k in (mid, mid - 1, mid + 1):
        if 0 <= k < len(grid) and tol > abs(f - grid[k]):
            return k
    return -1


def interpolate(points, f):
    for (f0, v0), (f1, v1) in zip(points, points[1:]):
        if math.isinf(v0):
            continue
        if f0 == f:
            return v0
        if f0 < f < f1:
            return v0 + (v1 - v0) * (f - f0) / (f1 - f0)
    return 1.0


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


def dlt911_verdict(lf, mf, hf):
    if lf < 0.6:
        return 'Severe Distortion'
    if 0.6 <= lf < 1 or mf < 0.6:
        return 'Obvious Distortion'
    if 1 <= lf < 2 or 0.6 <= mf < 1:
        return 'Light Distortion'
    return 'Normal' if hf >= 0.6 else 'R-HF above limit, R-LF and R-MF normal'


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
                  "|", ", ".join("%.2f" % v for v in values),
                  "| DL/T 911: " + dlt911_verdict(*values) if technique == 1 else "")
    for first, second in pairs:
        a, b = phases[first], phases[second]
        print("magnitude difference", first + second,
              repr(magnitude_difference(a, b, merge(a, b))))

    # DL/T 911 factors (the relative factors) of sweeps of 400 points ending at 500 kHz.
    a = to_decibel(make_sweep(lambda f: winding_response(f), 400, 100.0, 5.0e5))
    b = to_decibel(make_sweep(lambda f: winding_response(f, 0.01, 1), 400, 100.0, 5.0e5))
    print("Short sweeps A-B:", [repr(relative_factor(lo, hi, a, b, merge(a, b)))
                                for lo, hi in DEFAULT_BANDS[1]])

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

"""The pieces both reference computations (dlt911/expected_factors.py and
xcorr/expected_values.py) build on, written from the documented arithmetic with plain Python
floats and float32 rounding by struct; nothing here comes from the module.

- the test phases of HostFixture (MakeSweep and WindingResponse), stored as floats;
- the analyzers' dB conversion: log10 in double, rounded to float, times 20 in float;
- the merged grid of two sweeps, the band edge search within a tolerance, and the reading of
  a sweep's magnitude at a frequency (points with an infinite magnitude skipped, 1.0 when no
  pair of points holds the frequency).
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

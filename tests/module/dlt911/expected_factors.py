#!/usr/bin/env python3
"""Independent computation of the DL/T 911 expectations of DTL911ResultsTest and DTL911ReportTest.

Rebuilds the three test phases (HostFixture's MakeSweep and WindingResponse: 600 points, 100 Hz
to 2 MHz, frequencies and ratios stored as floats) and computes, with plain Python floats and
float32 rounding by struct, what the analyzer must show: the dB conversion (log10 in double,
rounded to float, times 20 in float), the merged grid, the band edges placed within 1 %, the
correlation coefficient over the span (means and variances as (1/N) * sum) and
R = -log10(1 - rho) (10 when 1 - rho is below float(1e-10)), the "%.2f" texts and the verdicts.
It shares no code with the module. Run: python3 expected_factors.py
"""
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
from sweep_reference import f32, interpolate, make_sweep, merge, near_index, to_decibel, \
    winding_response  # noqa: E402


def factor(a, b, grid, low, high):
    i1, i2 = near_index(low, grid, 0.01), near_index(high, grid, 0.01)
    n = i2 - i1
    if i1 < 0 or i2 < 0 or n <= 0:
        return 10.0  # a band the grid does not cover
    xa = [interpolate(a, grid[k]) for k in range(i1, i2)]
    xb = [interpolate(b, grid[k]) for k in range(i1, i2)]
    r = 1.0 / n
    ma, mb = r * sum(xa), r * sum(xb)
    va = r * sum((x - ma) * (x - ma) for x in xa)
    vb = r * sum((x - mb) * (x - mb) for x in xb)
    cov = sum((x - ma) * (y - mb) for x, y in zip(xa, xb))
    rho = (r * cov) / math.sqrt(va * vb)
    d = 1.0 - rho
    return 10.0 if f32(1e-10) > d else -math.log10(d)


def verdict(lf, mf, hf):
    if lf < 0.6:
        return 'Severe Distortion'
    if 0.6 <= lf < 1 or mf < 0.6:
        return 'Obvious Distortion'
    if 1 <= lf < 2 or 0.6 <= mf < 1:
        return 'Light Distortion'
    return 'Normal' if hf >= 0.6 else 'R-HF above limit, R-LF and R-MF normal'


PHASES = {
    'A': make_sweep(lambda f: winding_response(f)),
    'B': make_sweep(lambda f: winding_response(f, 0.01, 1)),
    'C': make_sweep(lambda f: winding_response(f, -0.02, 2)),
}
BANDS = ((1000.0, 100000.0), (100000.0, 600000.0), (600000.0, 1000000.0))



def show(title, first, second):
    a, b = to_decibel(first), to_decibel(second)
    grid = merge(first, second)
    r = [factor(a, b, grid, low, high) for low, high in BANDS]
    print(title, ', '.join(repr(x) for x in r), ['%.2f' % x for x in r], verdict(*r))


for first, second in (('A', 'B'), ('B', 'C'), ('C', 'A')):
    show(first + '-' + second, PHASES[first], PHASES[second])
# Sweeps of 400 points that end at 500 kHz, below the high band.
show('short A-B', make_sweep(lambda f: winding_response(f), 400, 100.0, 5.0e5),
     make_sweep(lambda f: winding_response(f, 0.01, 1), 400, 100.0, 5.0e5))

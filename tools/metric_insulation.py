#!/usr/bin/env python3
"""Derives the rows of the metric enamelled-wire insulation table (src/materials/WireTables.cpp).

Three sizes are fixed by the product's insulation grade (bare diameter -> insulation per side,
maximum overall diameter, both mm):
    0.10 -> 0.009, 0.140     0.50 -> 0.017, 0.560     1.50 -> 0.028, 1.612
Every other size lies on a smooth curve through them: the insulation thickness per side and the
maximum increase over the bare diameter are each taken as a quadratic in log-log coordinates
through the three fixed sizes (enamel builds grow roughly as a power of the diameter), and rounded
to whole micrometres. The fourth column is the nominal resistance of the bare copper at 20 degC,
ohm per metre, for a resistivity of 0.017241 ohm mm^2/m (the same copper as 10.371 ohm cmil/ft).

Run:  python3 tools/metric_insulation.py   and paste the printed rows into the table.
"""
import math

ANCHORS = [(0.10, 0.009, 0.140), (0.50, 0.017, 0.560), (1.50, 0.028, 1.612)]
DIAMETERS = [round(0.10 + 0.01 * i, 2) for i in range(21)] + [
    0.32, 0.35, 0.37, 0.40, 0.45, 0.50, 0.55, 0.60, 0.65, 0.70, 0.75, 0.80, 0.85, 0.90, 0.95,
    1.0, 1.1, 1.2, 1.3, 1.4, 1.5]
RESISTIVITY = 0.017241  # ohm mm^2 / m


def loglog_quadratic(points):
    """Coefficients of ln y = a + b ln x + c (ln x)^2 through three points."""
    (x0, y0), (x1, y1), (x2, y2) = [(math.log(x), math.log(y)) for x, y in points]
    c = ((y2 - y0) / (x2 - x0) - (y1 - y0) / (x1 - x0)) / (x2 - x1)
    b = (y1 - y0) / (x1 - x0) - c * (x0 + x1)
    a = y0 - b * x0 - c * x0 * x0
    return lambda x: math.exp(a + b * math.log(x) + c * math.log(x) ** 2)


thickness = loglog_quadratic([(d, t) for d, t, _ in ANCHORS])
increase = loglog_quadratic([(d, m - d) for d, _, m in ANCHORS])

rows = []
for d in DIAMETERS:
    t = round(thickness(d), 3)
    m = round(d + increase(d), 3)
    r = RESISTIVITY / (math.pi / 4 * d * d)
    rows.append((d, t, m, r))

assert len(rows) == 42
for (d, t, m, _), (d0, t0, m0) in ((r, a) for r in rows for a in ANCHORS if r[0] == a[0]):
    assert (t, m) == (t0, m0), (d, t, m)
for prev, cur in zip(rows, rows[1:]):
    assert cur[1] >= prev[1] and cur[2] > prev[2]
for d, t, m, _ in rows:
    assert m >= d + 2 * t

for d, t, m, r in rows:
    print(f"    {{{d:.2f}f, {t:.3f}f, {m:.3f}f, {r:.4g}f}},")

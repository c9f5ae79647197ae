#!/usr/bin/env python3
"""Derives the loss, aging and price coefficients of the powder materials and writes
src/materials/CoreLossTables.cpp.

Every row is solved from a few physical targets chosen per material (listed below with the
reasons), so that a new material or a changed target needs no hand arithmetic:

  Loss   density(F, B) = F / (a/B^3 + b/B^2.3 + c/B^1.65) + d (B F)^2   [mW/cm3, Hz, gauss]
         The hysteresis energy per cycle 1/(a/B^3 + b/B^2.3 + c/B^1.65) is linear in (a, b, c)
         through its reciprocal, so three target loss densities at 1 kHz (100, 1000, 3000 G)
         fix a, b, c by a 3x3 solve. Each target is a multiple of the -11 carbonyl row at the
         same point. The eddy coefficient d follows from the share of eddy loss in the total at
         100 kHz, 100 G. The exponent n used by the PFC averaging is the mean log-slope of the
         density against B at 100 kHz over the ripple range 150-1500 G, the window in which the
         -11 row gives its published 2.17.

  Aging  ln(rate) = p1 + T (p3 T + p2). The binder (p2, p3) is common to the organically bound
         materials. The rate grows with the particle size; the eddy coefficient d goes with the
         square of the size, so e^p1 is taken as e^p1(-11) * sqrt(d / d(-11)). -37 and -39 use
         an inorganic binder and do not age (p1 = -49.28).

  Price  price(V) = (1 + c V) / (b + d V)   [US dollars, cm3]
         b, c, d from three targets: the price of a vanishing core (pressing and handling, 1/b),
         the price at 1 cm3 and at 100 cm3 (material cost with a volume discount).

Run:  python3 tools/derive_loss_tables.py            (writes the table and prints a summary)
      python3 tools/derive_loss_tables.py --check    (prints the summary only)
Then: clang-format -i src/materials/CoreLossTables.cpp
"""

import math
import os
import sys

# ---------------------------------------------------------------------------------------------
# Fixed rows (the maker's published figures)

LOSS_11 = (4e9, 3e8, 2.7e6, 8e-15, 2.17)
AGING_11 = (-11.7, 0.0016, 0.00016)
NON_AGING_P1 = -49.28
TOROID_PRICE_11 = (27.669006, 1.8531344, 0.005012684)

# ---------------------------------------------------------------------------------------------
# Loss targets: hysteresis multipliers of the -11 row at 1 kHz and 100, 1000, 3000 G; total
# density at 100 kHz, 100 G (mW/cm3) and the eddy share of that total.
#   -13  the low-loss high-frequency material: lowest hysteresis and a small eddy share
#   -16  low permeability like -11, slightly coarser powder
#   -17  low loss similar to -13, a little higher at every frequency
#   -21  general purpose hydrogen-reduced powder (mu 75): larger particles, half eddy at 100 kHz
#   -22  discontinued predecessor of -21, a little lossier
#   -23  low-cost line-frequency material (UPS chokes): moderate hysteresis, sizeable eddy
#   -24  discontinued mu 55 powder between -23 and -21
#   -25  inexpensive alternate to -13 where high-frequency loss is not critical: about twice -13
#   -27  as -25 at higher permeability
#   -29  higher-permeability alternate to -21 for line frequency: the highest eddy loss
#   -31  the cheapest powder, characteristics similar to -21
#   -32  highest permeability; an alternate to -36 with slightly higher loss
#   -36  same permeability as -21 with finer insulated particles: lower high-frequency loss
#   -37  moderate loss for high-power and automotive use
#   -39  lower hysteresis than -37, a little more eddy loss: lower at low frequency, similar at
#        the highest frequencies
LOSS_TARGETS = [
    # code   m100  m1000 m3000 P100k  eddy share
    ("-13", 0.80, 0.85, 0.90, 8.2, 0.24),
    ("-16", 1.05, 1.05, 1.05, 9.6, 0.15),
    ("-17", 0.90, 0.95, 1.00, 9.4, 0.26),
    ("-21", 2.00, 1.80, 1.60, 35.5, 0.56),
    ("-22", 2.20, 1.90, 1.70, 42.0, 0.59),
    ("-23", 1.60, 1.50, 1.40, 28.4, 0.56),
    ("-24", 1.90, 1.70, 1.55, 32.7, 0.55),
    ("-25", 1.20, 1.15, 1.10, 16.3, 0.43),
    ("-27", 1.30, 1.25, 1.20, 19.1, 0.47),
    ("-29", 2.30, 2.00, 1.80, 63.0, 0.72),
    ("-31", 2.10, 1.85, 1.65, 38.3, 0.57),
    ("-32", 2.00, 1.80, 1.60, 26.5, 0.42),
    ("-36", 1.90, 1.70, 1.50, 23.7, 0.38),
    ("-37", 1.60, 1.50, 1.40, 22.4, 0.45),
    ("-39", 1.25, 1.20, 1.15, 21.2, 0.54),
]

LOSS_ORDER = ["-11", "-13", "-16", "-17", "-21", "-22", "-23", "-24", "-25", "-27", "-29",
              "-31", "-32", "-36", "-37", "-39"]

# Ripple range over which the PFC exponent is averaged (gauss, at 100 kHz).
N_WINDOW = (150.0, 1500.0)

# ---------------------------------------------------------------------------------------------
# Price targets (US dollars): P(0) the price of a vanishing core (pressing and handling),
# P(1) - P(0) the material cost of the first cm3, and the volume discount at 100 cm3 (price over
# the straight line through P(0) and P(1)); the -11 row has 0.0361, 0.0670 and 0.983.
#   -13 carbonyl low-loss powder: the highest cost at every size; -11, -16 carbonyl: high;
#   -31 the least expensive; -17, -21, -23, -25, -29 low cost; -36, -27 a little above -21;
#   -32 highest permeability at a premium; -37 less expensive than -39, -39 close to it in small
#   sizes; composites -411, -413 (ferrite and iron powder) above the carbonyl -11, below -13.
TOROID_PRICE_TARGETS = [
    # code   P(0)   P(1)-P(0) discount at 100 cm3
    ("-13", 0.045, 0.105, 0.98),
    ("-16", 0.037, 0.070, 0.983),
    ("-17", 0.030, 0.045, 0.98),
    ("-21", 0.028, 0.038, 0.98),
    ("-23", 0.027, 0.035, 0.98),
    ("-25", 0.029, 0.039, 0.98),
    ("-27", 0.030, 0.041, 0.98),
    ("-29", 0.028, 0.036, 0.98),
    ("-31", 0.024, 0.028, 0.98),
    ("-32", 0.031, 0.049, 0.98),
    ("-36", 0.029, 0.043, 0.98),
    ("-37", 0.030, 0.046, 0.98),
    ("-39", 0.030, 0.052, 0.98),
    ("-411", 0.040, 0.085, 0.98),
    ("-413", 0.040, 0.088, 0.98),
]
TOROID_PRICE_ORDER = ["-11", "-13", "-16", "-17", "-21", "-23", "-25", "-27", "-29", "-31",
                      "-32", "-36", "-37", "-39", "-411", "-413"]

# E-cores: a pair of halves (handling cost x1.3), the same material cost per cm3, simpler
# pressing than a toroid in large sizes (a further 5 % discount at 100 cm3).
E_CORE_PRICE_ORDER = ["-11", "-13", "-17", "-21", "-23", "-25", "-27", "-31", "-36", "-37",
                      "-39"]
E_CORE_FACTORS = (1.3, 1.0, 0.95)

# ---------------------------------------------------------------------------------------------
# Aging: representative core for the summary (cm2, cm3, gauss, Hz, mW) at 100 C.
AGING_CORE = dict(ae=1.0, v=5.0, B=500.0, f=1e5, p0=2500.0, T=100.0)
K0 = 6.276e-13
ALPHA = 0.55


def hysteresis_per_cycle(a, b, c, B):
    return 1.0 / (a / B**3 + b / B**2.3 + c / B**1.65)


def density(row, F, B):
    a, b, c, d = row[:4]
    return F * hysteresis_per_cycle(a, b, c, B) + d * (B * F) ** 2


def solve3(m, y):
    """Gaussian elimination with partial pivoting for a 3x3 system."""
    m = [list(r) + [v] for r, v in zip(m, y)]
    for i in range(3):
        p = max(range(i, 3), key=lambda r: abs(m[r][i]))
        m[i], m[p] = m[p], m[i]
        for r in range(i + 1, 3):
            f = m[r][i] / m[i][i]
            for k in range(i, 4):
                m[r][k] -= f * m[i][k]
    x = [0.0] * 3
    for i in reversed(range(3)):
        x[i] = (m[i][3] - sum(m[i][k] * x[k] for k in range(i + 1, 3))) / m[i][i]
    return x


def pfc_exponent(row):
    lo, hi = N_WINDOW
    return math.log(density(row, 1e5, hi) / density(row, 1e5, lo)) / math.log(hi / lo)


def derive_loss(code, m100, m1000, m3000, p100k, eddy_share):
    a11, b11, c11 = LOSS_11[:3]
    d = eddy_share * p100k / (100.0 * 1e5) ** 2
    rows, rhs = [], []
    for B, m in ((100.0, m100), (1000.0, m1000), (3000.0, m3000)):
        # Target hysteresis energy per cycle at 1 kHz (the eddy part is negligible there, but
        # it is removed all the same).
        w = m * hysteresis_per_cycle(a11, b11, c11, B)
        rows.append((B**-3, B**-2.3, B**-1.65))
        rhs.append(1.0 / w)
    a, b, c = solve3(rows, rhs)
    if min(a, b, c) <= 0:
        sys.exit(f"loss targets of {code} give a non-positive coefficient: {a} {b} {c}")
    # Scale the hysteresis so that 100 kHz, 100 G meets the total with the chosen eddy share.
    hyst = (1.0 - eddy_share) * p100k / 1e5
    s = hysteresis_per_cycle(a, b, c, 100.0) / hyst
    a, b, c = a * s, b * s, c * s
    row = (a, b, c, d)
    return row + (round(pfc_exponent(row + (0,)), 2),)


def derive_price(code, p0, m, discount):
    p1 = p0 + m
    p100 = discount * (p0 + 100.0 * m)
    b = 1.0 / p0
    # (1 + c) = p1 (b + d); (1 + 100 c) = p100 (b + 100 d)
    # c - p1 d = p1 b - 1; 100 c - 100 p100 d = p100 b - 1
    det = -100.0 * p100 + 100.0 * p1
    c = ((p1 * b - 1) * (-100.0 * p100) - (-p1) * (p100 * b - 1)) / det
    d = (1.0 * (p100 * b - 1) - 100.0 * (p1 * b - 1)) / det
    if c <= 0 or d <= 0 or c * b <= d:
        sys.exit(f"price targets of {code} give no rising price curve: {b} {c} {d}")
    return (b, c, d)


def price(row, V):
    b, c, d = row
    return (1 + c * V) / (b + d * V)


def aging_p1(d):
    return AGING_11[0] + 0.5 * math.log(d / LOSS_11[3])


def isothermal_time_to_115(p1, p2, p3):
    k = AGING_CORE
    r0 = (k["B"] * k["f"]) ** 2 * math.exp(p1) * K0 * k["ae"] * k["v"]
    rate = r0 * math.exp(k["T"] * (p3 * k["T"] + p2))
    return (0.15 * k["p0"] / rate) ** (1 / ALPHA)


def fmt(x):
    """Eight significant digits: enough to hold every float exactly as written."""
    text = f"{x:.8g}"
    mantissa, _, exponent = text.partition("e")
    if exponent:
        text = mantissa + "e" + str(int(exponent))
    elif "." not in text:
        text += ".0"
    return text + "f"


def main():
    loss = {"-11": LOSS_11}
    for t in LOSS_TARGETS:
        loss[t[0]] = derive_loss(*t)
    aging = {}
    for code in LOSS_ORDER:
        if code in ("-37", "-39"):
            aging[code] = (NON_AGING_P1, AGING_11[1], AGING_11[2])
        elif code == "-11":
            aging[code] = AGING_11
        else:
            aging[code] = (round(aging_p1(loss[code][3]), 2), AGING_11[1], AGING_11[2])
    toroid = {"-11": TOROID_PRICE_11}
    p0_11 = 1 / TOROID_PRICE_11[0]
    m_11 = price(TOROID_PRICE_11, 1.0) - p0_11
    targets = {"-11": (p0_11, m_11, price(TOROID_PRICE_11, 100.0) / (p0_11 + 100 * m_11))}
    for code, p0, m, discount in TOROID_PRICE_TARGETS:
        toroid[code] = derive_price(code, p0, m, discount)
        targets[code] = (p0, m, discount)
    print("-11 toroid price targets: %.4f %.4f %.3f" % targets["-11"])
    ecore = {}
    for code in E_CORE_PRICE_ORDER:
        p0, m, discount = targets[code]
        f0, fm, fd = E_CORE_FACTORS
        ecore[code] = derive_price("E" + code, p0 * f0, m * fm, discount * fd)

    print("code    n   mW/cm3: 1k/1000G 100k/100G 100k/1000G 1M/100G   p1    t115@100C[h]")
    for code in LOSS_ORDER:
        r = loss[code]
        p1 = aging[code][0]
        t = isothermal_time_to_115(*aging[code])
        print(f"{code:5} {r[4]:5.2f} {density(r, 1e3, 1000):9.2f} {density(r, 1e5, 100):9.2f}"
              f" {density(r, 1e5, 1000):10.0f} {density(r, 1e6, 100):8.0f}  {p1:7.2f}  {t:10.3g}")
    print(f"-11 exponent over {N_WINDOW}: {pfc_exponent(LOSS_11):.3f}")
    print("toroid price at 0.05 1 10 100 500 cm3")
    for code in TOROID_PRICE_ORDER:
        print(code, " ".join(f"{price(toroid[code], v):7.3f}" for v in (0.05, 1, 10, 100, 500)))
    print("E-core price at 0.05 1 10 100 500 cm3")
    for code in E_CORE_PRICE_ORDER:
        print(code, " ".join(f"{price(ecore[code], v):7.3f}" for v in (0.05, 1, 10, 100, 500)))

    if "--check" in sys.argv:
        return
    out = []
    out.append("// Loss, aging and price coefficients of the powder materials.")
    out.append("// Generated by tools/derive_loss_tables.py from the physical targets listed there;")
    out.append("// change the targets and run it again rather than editing rows by hand.")
    out.append('#include "materials/CoreLossTables.h"')
    out.append("")
    out.append("#include <array>")
    out.append("")
    out.append("namespace korvell {")
    out.append("namespace {")
    out.append("")
    out.append("// code, a, b, c, d, n")
    out.append(f"constexpr std::array<LossCoefficients, {len(LOSS_ORDER)}> kLoss{{{{")
    for code in LOSS_ORDER:
        out.append(f'    {{"{code}", ' + ", ".join(fmt(x) for x in loss[code]) + "},")
    out.append("}};")
    out.append("")
    out.append("// code, p1, p2 (1/°C), p3 (1/°C²)")
    out.append(f"constexpr std::array<AgingCoefficients, {len(LOSS_ORDER)}> kAging{{{{")
    for code in LOSS_ORDER:
        out.append(f'    {{"{code}", ' + ", ".join(fmt(x) for x in aging[code]) + "},")
    out.append("}};")
    for name, order, table in (("kToroidPrices", TOROID_PRICE_ORDER, toroid),
                               ("kECorePrices", E_CORE_PRICE_ORDER, ecore)):
        out.append("")
        out.append("// code, b, c, d")
        out.append(f"constexpr std::array<PriceCoefficients, {len(order)}> {name}{{{{")
        for code in order:
            out.append(f'    {{"{code}", ' + ", ".join(fmt(x) for x in table[code]) + "},")
        out.append("}};")
    out.append("")
    out.append("}  // namespace")
    out.append("")
    for ret, name, table in (("LossCoefficients", "lossCoefficients", "kLoss"),
                             ("AgingCoefficients", "agingCoefficients", "kAging"),
                             ("PriceCoefficients", "toroidPrices", "kToroidPrices"),
                             ("PriceCoefficients", "eCorePrices", "kECorePrices")):
        out.append(f"std::span<const {ret}> {name}() {{")
        out.append(f"    return {table};")
        out.append("}")
    out.append("")
    out.append("}  // namespace korvell")
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "materials",
                        "CoreLossTables.cpp")
    with open(path, "w") as f:
        f.write("\n".join(out) + "\n")
    print("wrote", os.path.normpath(path))


if __name__ == "__main__":
    main()

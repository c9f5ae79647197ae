#!/usr/bin/env python3
"""Derives the Korvell core catalog from core geometry and material permeability.

Writes src/materials/CatalogTables.cpp. Every number in that file comes from the data below:

  * catalog materials: code and initial permeability (one value per material, project-wide);
  * toroid sizes: OD, ID and height in inches, as on the maker's drawings;
  * E-core sizes: A (width), B (height of the pair), C (thickness), D (window height of the
    pair), E (centre-leg width), F (distance between the outer legs), inches;
  * composite toroid sizes: OD, ID, height;
  * the offer: which materials (and, for E-cores, which gaps) each size is sold in.

Derived quantities:

  toroid      le = pi (OD - ID) / ln(OD / ID)                       [in -> cm x 2.54]
              Ae = (OD - ID) / 2 x HT - (4 - pi) r^2, edge radius r = 0.2 x min(wall, HT)
                                                                    [in^2 -> cm^2 x 6.4516]
              Ve = Ae x le (composites)
  E-core      Ae = E x C; Wa = (F - E) / 2 x D
              le = (A + F) / 2 + B + D - 4 (2 - pi / 2) r, the mean path round one window with
                   quarter-circle corners of radius r = half the thinner of yoke and outer leg
              Ve = C (A B - (F - E) D), the solid volume of the pair  [in^3 -> cm^3 x 16.387]
  Al          = 0.4 pi mu Ae / le x 10 nH per turn^2 (Ae cm^2, le cm), from the rounded Ae and
                le the catalog prints;
  gapped E    Al = 0.4 pi Ae / (le / mu + lg) x 10, lg the total air gap of the designation
                (/Q101 0.010 in, /Q102 0.020 in, /Q105 0.050 in).

Rounding: Ae 0.001 cm^2, le 0.01 cm, Wa 0.001 cm^2, Ve 0.001 cm^3, Al 0.1 nH (what the catalog
line prints). Row order: size order as listed (smallest first; a suffixed size right after its
plain size), within a size by material code, -13/91 variants after -13, ungapped before gapped.
A -13A/91, -13B/91 or -13C/91 key is written on the plain size number but its upper-case letter
becomes the size suffix, so it is listed (and measured) under the A, B or C size.

Usage: python3 tools/catalog_tables.py [output.cpp]   (default: src/materials/CatalogTables.cpp)
To add a size: add its row to TOROID_SIZES / E_CORE_SIZES in size order, list its materials in
the offer, re-run, and adjust the row counts in Catalog.h if the totals change.
"""

import math
import os
import re
import sys

MU0_NH = 0.4 * math.pi * 10.0  # 0.4 pi x 10: Al in nH/turn^2 from mu Ae[cm^2] / le[cm]
IN_TO_CM = 2.54
IN2_TO_CM2 = 6.4516
IN3_TO_CM3 = 16.387064

# Catalog material table: code, initial permeability.
MATERIALS = [
    ("-11", 10), ("-13", 35), ("-16", 14), ("-17", 40), ("-21", 75), ("-22", 70),
    ("-23", 33), ("-24", 55), ("-25", 33), ("-27", 46), ("-29", 90), ("-31", 60),
    ("-32", 100), ("-36", 75), ("-37", 46), ("-39", 66), ("-411", 50), ("-413", 60),
]

# Material letter table, in table order.
LETTERS = [
    ("a", "-11"), ("b", "-13"), ("c", "-17"), ("d", "-21"), ("e", "-22"), ("f", "-24"),
    ("g", "-29"), ("h", "-31"), ("j", "-32"), ("k", "-36"), ("m", "-16"), ("n", "-23"),
    ("o", "-25"), ("p", "-27"), ("q", "-13/91"), ("r", "-13A/91"), ("s", "-13B/91"),
    ("t", "-13C/91"), ("v", "/Q101"), ("w", "/Q102"), ("x", "/Q105"), ("y", "-37"), ("z", "-39"),
]

# Total air gap of each E-core gap designation, inches.
GAPS = [("/Q101", 0.010), ("/Q102", 0.020), ("/Q105", 0.050)]

# Toroid sizes: name, OD, ID, HT (inches), smallest first. Suffixes: A taller, B lower,
# C smaller bore, D double height, H larger bore, each on the plain size's outside diameter.
TOROID_SIZES = [
    ("12", 0.125, 0.062, 0.050),
    ("16", 0.160, 0.078, 0.060),
    ("20", 0.200, 0.088, 0.070),
    ("22", 0.225, 0.097, 0.080),
    ("25", 0.255, 0.120, 0.096),
    ("30", 0.307, 0.151, 0.128),
    ("37", 0.375, 0.205, 0.128),
    ("44", 0.440, 0.229, 0.159),
    ("50", 0.500, 0.303, 0.190),
    ("50A", 0.500, 0.303, 0.250),
    ("50B", 0.500, 0.303, 0.120),
    ("50C", 0.500, 0.250, 0.190),
    ("55", 0.550, 0.295, 0.210),
    ("60", 0.600, 0.336, 0.234),
    ("68", 0.690, 0.370, 0.190),
    ("68A", 0.690, 0.370, 0.250),
    ("72", 0.720, 0.280, 0.260),
    ("80", 0.795, 0.495, 0.250),
    ("80A", 0.795, 0.495, 0.375),
    ("80B", 0.795, 0.495, 0.150),
    ("80C", 0.795, 0.420, 0.250),
    ("90", 0.900, 0.550, 0.350),
    ("94", 0.942, 0.560, 0.312),
    ("94A", 0.942, 0.560, 0.437),
    ("106", 1.060, 0.570, 0.437),
    ("106A", 1.060, 0.570, 0.570),
    ("106B", 1.060, 0.570, 0.300),
    ("106C", 1.060, 0.500, 0.437),
    ("106H", 1.060, 0.700, 0.437),
    ("120", 1.200, 0.740, 0.400),
    ("130", 1.300, 0.780, 0.437),
    ("130A", 1.300, 0.780, 0.600),
    ("130B", 1.300, 0.780, 0.300),
    ("141", 1.410, 0.880, 0.580),
    ("150", 1.500, 0.750, 0.435),
    ("150A", 1.500, 0.750, 0.650),
    ("157", 1.570, 0.950, 0.570),
    ("157A", 1.570, 0.950, 0.750),
    ("157B", 1.570, 0.950, 0.400),
    ("157C", 1.570, 0.800, 0.570),
    ("165", 1.650, 0.880, 0.600),
    ("175", 1.750, 0.940, 0.650),
    ("184", 1.840, 0.950, 0.710),
    ("184A", 1.840, 0.950, 0.900),
    ("184H", 1.840, 1.100, 0.710),
    ("200", 2.000, 1.250, 0.550),
    ("200A", 2.000, 1.250, 0.770),
    ("200B", 2.000, 1.250, 0.400),
    ("200C", 2.000, 1.000, 0.550),
    ("200D", 2.000, 1.250, 1.100),
    ("225", 2.250, 1.400, 0.550),
    ("225A", 2.250, 1.400, 1.000),
    ("225B", 2.250, 1.400, 0.400),
    ("250", 2.500, 1.500, 0.750),
    ("250A", 2.500, 1.500, 1.000),
    ("300", 3.040, 1.930, 0.500),
    ("300A", 3.040, 1.930, 0.750),
    ("300D", 3.040, 1.930, 1.000),
    ("350", 3.500, 2.000, 0.620),
    ("400", 4.000, 2.250, 0.650),
    ("400A", 4.000, 2.250, 1.300),
    ("400B", 4.000, 2.250, 0.500),
    ("520", 5.200, 3.080, 0.800),
    ("520A", 5.200, 3.080, 1.200),
    ("520H", 5.200, 3.500, 0.800),
]

# Materials of each toroid size, as material letters (q on a plain size; r, s, t on its A, B, C).
TOROID_OFFER = {
    "12": "abmcdk",
    "16": "abmcdkn",
    "20": "abmcdkno",
    "22": "abmcdkny",
    "25": "abmcdknoy",
    "30": "abmcdknoyz",
    "37": "abmcdknopyz",
    "44": "abmcdknopgyz",
    "50": "abqmcdknopghyz",
    "50A": "rdk",
    "50B": "sdk",
    "50C": "td",
    "55": "abmcdknoy",
    "60": "abmcdknopgyz",
    "68": "abqmcdnopghjkyz",
    "68A": "dkz",
    "72": "abcdknopyz",
    "80": "abqmcdenopghjkyz",
    "80A": "rdky",
    "80B": "sdk",
    "80C": "tdz",
    "90": "abmcdknopghyz",
    "94": "abmcdnopghjkyz",
    "94A": "dk",
    "106": "abqmcdefnopghjkyz",
    "106A": "rdgk",
    "106B": "sdk",
    "106C": "tdk",
    "106H": "dk",
    "120": "abcdnophkyz",
    "130": "abmcdnopghjkyz",
    "130A": "dkz",
    "130B": "dk",
    "141": "bcdnophkyz",
    "150": "bcdnophkyz",
    "150A": "dk",
    "157": "abqmcdefnopghjkyz",
    "157A": "rdhk",
    "157B": "sdk",
    "157C": "tdk",
    "165": "bdnopkz",
    "175": "bcdnopkyz",
    "184": "abmcdfnopghjkyz",
    "184A": "djk",
    "184H": "dk",
    "200": "abqcdenopghjkyz",
    "200A": "rdk",
    "200B": "sdk",
    "200C": "tdk",
    "200D": "dhk",
    "225": "bcdnopghjkyz",
    "225A": "dkz",
    "225B": "dk",
    "250": "bcdnophkyz",
    "250A": "dk",
    "300": "bcdnopghjkyz",
    "300A": "dkz",
    "300D": "dk",
    "350": "dkz",
    "400": "bdnophjkyz",
    "400A": "dkz",
    "400B": "dk",
    "520": "bdnophjkyz",
    "520A": "dk",
    "520H": "dk",
}

# E-core sizes: name, A, B, C, D, E, F (inches), smallest first. Outer legs and yokes are half
# the centre-leg width, so the section is nearly uniform round the path; A: thicker stack.
E_CORE_SIZES = [
    ("50", 0.500, 0.425, 0.125, 0.300, 0.125, 0.375),
    ("62", 0.625, 0.530, 0.155, 0.375, 0.155, 0.470),
    ("75", 0.750, 0.655, 0.190, 0.465, 0.190, 0.560),
    ("87", 0.875, 0.780, 0.220, 0.560, 0.220, 0.655),
    ("100", 1.000, 0.870, 0.250, 0.620, 0.250, 0.750),
    ("112", 1.125, 1.000, 0.295, 0.720, 0.280, 0.845),
    ("118", 1.180, 1.030, 0.320, 0.710, 0.320, 0.860),
    ("125", 1.250, 1.110, 0.310, 0.800, 0.310, 0.940),
    ("137", 1.375, 1.210, 0.380, 0.850, 0.360, 1.015),
    ("150", 1.500, 1.275, 0.375, 0.900, 0.375, 1.125),
    ("162", 1.625, 1.415, 0.405, 1.010, 0.405, 1.220),
    ("168", 1.680, 1.480, 0.470, 1.010, 0.470, 1.210),
    ("168A", 1.680, 1.480, 0.705, 1.010, 0.470, 1.210),
    ("187", 1.875, 1.630, 0.470, 1.160, 0.470, 1.405),
    ("200", 2.000, 1.700, 0.500, 1.200, 0.500, 1.500),
    ("205", 2.050, 1.845, 0.575, 1.270, 0.575, 1.475),
    ("220", 2.200, 1.890, 0.570, 1.320, 0.570, 1.630),
    ("225", 2.250, 1.955, 0.560, 1.395, 0.560, 1.690),
    ("225A", 2.250, 1.955, 0.840, 1.395, 0.560, 1.690),
    ("250", 2.500, 2.125, 0.625, 1.500, 0.625, 1.875),
    ("305", 3.050, 2.650, 0.760, 1.890, 0.760, 2.290),
    ("305A", 3.050, 2.650, 1.215, 1.890, 0.760, 2.290),
    ("375", 3.750, 3.190, 0.940, 2.250, 0.940, 2.810),
    ("450", 4.500, 3.735, 1.125, 2.610, 1.125, 3.375),
]

# Materials and gaps of each E-core size: a material letter, optionally followed by a gap letter.
E_CORE_OFFER = {
    "50": "b d k y",
    "62": "b d k y z",
    "75": "b d dw k y z",
    "87": "b d dw k kw y",
    "100": "b d dv dw k kw h y z",
    "112": "b d dw k kw y z",
    "118": "d dv dw k kw y",
    "125": "b d dw k h y z",
    "137": "d dw k kw y",
    "150": "b d dv dw dx k kw h y z",
    "162": "d dv dw k kw y z",
    "168": "d dv dw dx k kv kw h y z",
    "168A": "d dw k kw",
    "187": "d dw k h y",
    "200": "b d dv dw dx k kw kx h y z",
    "205": "d dw k y",
    "220": "d dw k kw z",
    "225": "d dv dw dx k kw h y z",
    "225A": "d dw k kw",
    "250": "d dw dx k kw h y z",
    "305": "d dw dx k kw h y",
    "305A": "d dw k",
    "375": "d dw dx k kw y",
    "450": "d dw k kw",
}

# Composite toroids: size digits, OD, ID, HT (inches); each sold as -411 and -413B.
COMPOSITE_SIZES = [
    ("80", 0.795, 0.495, 0.250),
    ("106", 1.060, 0.570, 0.437),
    ("157", 1.570, 0.950, 0.570),
    ("200", 2.000, 1.250, 0.550),
    ("250", 2.500, 1.500, 0.750),
]

TOROID_ROWS, E_CORE_ROWS, COMPOSITE_ROWS = 446, 152, 10
MATERIAL_ORDER = "ab" + "qrst" + "mcdenfopghjkyz"  # material code order, -13/91 after -13
GAP_ORDER = "vwx"


def fail(message):
    sys.exit("catalog_tables.py: " + message)


def expand(part_number):
    """Replaces material and gap letters left to right, as the catalog look-up does."""
    codes = dict(LETTERS)
    while True:
        at = next((i for i, ch in enumerate(part_number) if ch in codes), None)
        if at is None:
            return part_number
        part_number = part_number[:at] + codes[part_number[at]] + part_number[at + 1:]


def size_key(part_number):
    """Size key and material token as "%[EST0-9] %[-0-9] %[ABCDH] " reads them."""
    m = re.match(r"([EST0-9]+)\s*([-0-9]+)?\s*([ABCDH]+)?", part_number)
    if not m or not m.group(2):
        fail("incomplete part number " + part_number)
    size = m.group(1) + (m.group(3)[0] if m.group(3) else "")
    return size[1:], m.group(2)


def toroid_le_cm(od, id_):
    return math.pi * (od - id_) / math.log(od / id_) * IN_TO_CM


def toroid_ae_cm2(od, id_, ht):
    wall = (od - id_) / 2
    r = 0.2 * min(wall, ht)
    return (wall * ht - (4 - math.pi) * r * r) * IN2_TO_CM2


def al_nh(mu, ae, le, gap_in=0.0):
    return MU0_NH * ae / (le / mu + gap_in * IN_TO_CM)


def size_order(names):
    return {name: i for i, name in enumerate(names)}


def toroid_tables(perm):
    sizes = {}
    for name, od, id_, ht in TOROID_SIZES:
        if not (0 < id_ < od and ht > 0):
            fail("toroid %s: needs 0 < ID < OD and HT > 0" % name)
        sizes[name] = dict(od=od, id=id_, ht=ht, ae=round(toroid_ae_cm2(od, id_, ht), 3),
                           le=round(toroid_le_cm(od, id_), 2))
    rows = []
    for name, *_ in TOROID_SIZES:
        digits, suffix = re.match(r"(\d+)([A-Z]?)$", name).groups()
        for letter in sorted(TOROID_OFFER[name], key=MATERIAL_ORDER.index):
            key = digits + letter + ("" if letter in "rst" else suffix)
            measured, material = size_key(expand("T" + key))
            if measured != name:
                fail("toroid key %s is measured as size %s, listed under %s" % (key, measured, name))
            s = sizes[name]
            rows.append((key, round(al_nh(perm[material], s["ae"], s["le"]), 1)))
    return sizes, rows


def e_core_tables(perm):
    gaps = dict(GAPS)
    sizes = {}
    for name, a, b, c, d, e, f in E_CORE_SIZES:
        if not (0 < e < f < a and 0 < d < b and c > 0):
            fail("E-core %s: needs e < f < a and d < b" % name)
        yoke, outer_leg = (b - d) / 2, (a - f) / 2
        r = min(yoke, outer_leg) / 2
        le_in = (a + f) / 2 + b + d - 4 * (2 - math.pi / 2) * r
        sizes[name] = dict(a=a, b=b, c=c, d=d, e=e, f=f, le=round(le_in * IN_TO_CM, 2),
                           ae=round(e * c * IN2_TO_CM2, 3),
                           ve=round(c * (a * b - (f - e) * d) * IN3_TO_CM3, 3),
                           wa=round((f - e) / 2 * d * IN2_TO_CM2, 3))
    rows = []
    for name, *_ in E_CORE_SIZES:
        digits, suffix = re.match(r"(\d+)([A-Z]?)$", name).groups()
        offer = E_CORE_OFFER[name].split()
        offer.sort(key=lambda o: (MATERIAL_ORDER.index(o[0]), GAP_ORDER.find(o[1:]) if o[1:] else -1))
        for item in offer:
            key = digits + item[0] + suffix + item[1:]
            part = expand("E" + key)
            measured, material = size_key(part)
            if measured != name:
                fail("E-core key %s is measured as size %s, listed under %s" % (key, measured, name))
            gap = next((g for code, g in gaps.items() if part.endswith(code)), 0.0)
            s = sizes[name]
            rows.append((key, round(al_nh(perm[material], s["ae"], s["le"], gap), 1)))
    return sizes, rows


def composite_rows(perm):
    rows = []
    for name, od, id_, ht in COMPOSITE_SIZES:
        ae = round(toroid_ae_cm2(od, id_, ht), 3)
        le = round(toroid_le_cm(od, id_), 2)
        for material in ("-411", "-413"):
            rows.append(dict(name=name, al=round(al_nh(perm[material], ae, le), 1), od=od, id=id_,
                             ht=ht, le=le, ae=ae, ve=round(ae * le, 3)))
    return rows


def num(x):
    """A float literal: shortest decimal text of x with an f suffix."""
    text = "%.6g" % x
    if "e" not in text and "." not in text:
        text += ".0"
    return text + "f"


def check_unique_and_reachable(rows, shape):
    parts = [expand(shape + key) for key, _ in rows]
    if len(set(parts)) != len(parts):
        fail(shape + " catalog has a repeated part number")
    for i, part in enumerate(parts):
        first = next(j for j, other in enumerate(parts) if other.startswith(part))
        if first != i:
            fail("%s is found as %s by its prefix" % (part, parts[first]))


def main():
    out_path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "src", "materials", "CatalogTables.cpp")
    perm = dict(MATERIALS)
    if set(TOROID_OFFER) != {s[0] for s in TOROID_SIZES} or set(E_CORE_OFFER) != {s[0] for s in E_CORE_SIZES}:
        fail("every size needs an offer and every offer a size")
    toroid_sizes, toroid_rows = toroid_tables(perm)
    e_sizes, e_rows = e_core_tables(perm)
    composites = composite_rows(perm)
    for label, got, want in (("toroid", len(toroid_rows), TOROID_ROWS), ("E-core", len(e_rows), E_CORE_ROWS),
                             ("toroid size", len(TOROID_SIZES), 65), ("E-core size", len(E_CORE_SIZES), 24),
                             ("composite", len(composites), COMPOSITE_ROWS)):
        if got != want:
            fail("%d %s rows, want %d" % (got, label, want))
    check_unique_and_reachable(toroid_rows, "T")
    check_unique_and_reachable(e_rows, "E")

    lines = [
        "// Generated by tools/catalog_tables.py from core geometry and material permeability.",
        "// Do not edit by hand: change the model there and run it again.",
        "// Units: Al nH/turn^2; Ae cm^2; le cm; Ve cm^3; Wa cm^2; OD, ID, HT and A..F inches.",
        '#include "materials/CatalogTables.h"',
        "",
        "namespace korvell {",
        "",
        "// clang-format off",
        "constexpr std::array<CatalogMaterial, kCatalogMaterialRows> catalogMaterials{{",
    ]
    lines += ['    {"%s", %s},' % (code, num(mu)) for code, mu in MATERIALS]
    lines += ["}};", "", "constexpr std::array<MaterialLetterCode, kMaterialLetterRows> materialLetterCodes{{"]
    lines += ["    {'%s', \"%s\"}," % (letter, code) for letter, code in LETTERS]
    lines += ["}};", "", "constexpr std::array<ECoreGap, kECoreGapRows> eCoreGaps{{"]
    lines += ['    {"%s", %s},' % (code, num(g)) for code, g in GAPS]
    lines += ["}};", "", "// name, ae, le, id, od, ht",
              "constexpr std::array<ToroidSize, kToroidSizeRows> toroidSizes{{"]
    for name, *_ in TOROID_SIZES:
        s = toroid_sizes[name]
        lines.append('    {"%s", %s, %s, %s, %s, %s},' % (name, num(s["ae"]), num(s["le"]), num(s["id"]),
                                                         num(s["od"]), num(s["ht"])))
    lines += ['    {"", 0.0f, 0.0f, 0.0f, 0.0f, 0.0f},', "}};", "",
              "// name, a, b, c, d, e, f, le, ae, ve, wa",
              "constexpr std::array<ECoreSize, kECoreSizeRows> eCoreSizes{{"]
    for name, *_ in E_CORE_SIZES:
        s = e_sizes[name]
        lines.append('    {"%s", %s},' % (name, ", ".join(num(s[k]) for k in "a b c d e f le ae ve wa".split())))
    lines += ["}};", "", "// name, al, od, id, ht, le, ae, ve; even rows -411, odd rows -413B",
              "constexpr std::array<CompositeCore, kCompositeCatalogRows> compositeCatalog{{"]
    for c in composites:
        lines.append('    {"%s", %s},' % (c["name"], ", ".join(num(c[k]) for k in "al od id ht le ae ve".split())))
    for table, rows, count in (("toroidCatalog", toroid_rows, "kToroidCatalogRows"),
                               ("eCoreCatalog", e_rows, "kECoreCatalogRows")):
        lines += ["}};", "", "// key, al", "constexpr std::array<CatalogKeyRow, %s> %s{{" % (count, table)]
        lines += ['    {"%s", %s},' % (key, num(al)) for key, al in rows]
    lines += ["}};", "// clang-format on", "", "}  // namespace korvell", ""]
    with open(out_path, "w") as f:
        f.write("\n".join(lines))
    print("%s: %d toroid, %d E-core, %d composite rows" % (out_path, len(toroid_rows), len(e_rows), len(composites)))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/ from the examples of
the program's documentation: part numbers, wire sizes, requirements, design parameters and
analyzes a user would type. Each input is a few choice bytes and then texts split at '|'."""
import hashlib
import pathlib

HERE = pathlib.Path(__file__).resolve().parent


def write(target, inputs):
    folder = HERE / "corpus" / target
    folder.mkdir(parents=True, exist_ok=True)
    for old in folder.iterdir():
        old.unlink()
    for data in inputs:
        name = hashlib.sha1(data).hexdigest()[:16]
        (folder / name).write_bytes(data)


PARTS = ["T123-21B", "E321-36/Q102", "ST77-413B", "T777-21", "T777-21 x2", "T80-13A/91",
         "T106-21", "T106-21 x3", "E150-13/Q102", "ST157-411", "ST250-413B", "T520-39",
         "123dB", "321kw", "T106-2", "T1", "T106", "106-21", "T-21", "T106-", ""]
write("PartNumberFuzz", [p.encode() for p in PARTS])

METRIC, AWG, SWG = 0, 1, 2
WIRES = [(AWG, 0, "#18"), (AWG, 0, "0000"), (AWG, 0, "000 AWG"), (AWG, 0, "#00"),
         (AWG, 0, "10"), (AWG, 0, "#52"), (METRIC, 0, "0.50 mm"), (METRIC, 0, "0.58"),
         (METRIC, 0, "3.0"), (SWG, 0, "60"), (SWG, 0, "#20 SWG"), (AWG, 1, "1000"),
         (AWG, 1, "10384"), (AWG, 1, "0.61"), (AWG, 2, "0.0423"), (METRIC, 2, "0.0011"),
         (SWG, 1, "1624"), (SWG, 2, "0.05")]
write("WireTextFuzz", [bytes([s, k]) + t.encode() for s, k, t in WIRES])


def entry(window, app, units, gage, fields, leave=1):
    # window, reset (never), application, unit system, gage system, leave-field-first
    return bytes([window, 1, app, units, gage, leave]) + "|".join(fields).encode()


REQUIREMENTS = [
    (0, "50|0|2|0|0|7|5|100|55|1|1"),          # buck: 5.833 V average, 0.583 A ripple
    (0, "100|0|5|0|0|12|5|100|25|1|1"),
    (0, "100|0|5|0|0|12|5|100|55|2.5|1"),      # stacked cores 2.5: invalid character
    (0, "0.05|0|0|0|0|12|5|100|55|1|1"),       # both the inductance and the current fail
    (1, "100|0|5|200|1|12|5|100|55|1|1"),
    (2, "50|0|10|500|0.5|12|5|100|55|1|1"),
    (3, "400|0|5|0|0|311|400|65|55|1|1"),
    (4, "1000|0|10|0|0|0|0|60|55|1|1"),
    (5, "10|0|2|0|0|100|0|795.8|55|1|1"),
    (0, "100|0|5|0|0|12|5|100|-999|1|1"),
    (0, "100|0|5|0|0|12|5|100|55|16777217|1"),
]
PARAMETERS = [
    "40|150|40|40|1|1|0.833|0.25|55", "200|150|40|40|1|1|0.833|0.25|55",
    "200.5|150|40|40|1|1|0.833|0.25|55", "40|150|40|40|1|1|0.833|0.25|-55",
    "40|1316|40|40|1|1|0.833|0.25|55", "40|0|40|40|1|1|0.833|0.25|55",
    "40|150|40|40|1|1|0.833|0.25|-201",
]
ANALYZES = [
    (0, AWG, "T106-21|1|#18|40|5|12|5|100|55|1"),
    (0, AWG, "T400-21|1|0000|20|50|12|5|20|55|1"),
    (0, METRIC, "T106-21|2|0.50|40|5|12|5|100|55|1"),
    (3, AWG, "T157-26|1|#16|60|5|311|400|65|55|1"),
    (4, AWG, "T184-26|1|#12|100|10|||60|55|1"),
    (5, SWG, "T80-2|1|#30|12|2|100||795.8|55|4"),
    (0, AWG, "T106-2|1|#18|40|5|12|5|100|55|1"),
    (0, AWG, "T106-21|1|#18|2147483647|5|12|5|100|55|1"),
    (0, AWG, "T106-21|1|#18|40|5|12|5|100|-999|1"),
    (0, AWG, "ST157-411|1|#20|20|2|12|5|100|55|1"),
]
write("EntryFuzz",
      [entry(0, a, 1, AWG, [t]) for a, t in REQUIREMENTS] +
      [entry(1, 0, u, g, [t]) for t in PARAMETERS for u, g in ((1, AWG), (0, METRIC))] +
      [entry(2, a, 1, g, [t]) for a, g, t in ANALYZES])

TOROID, ECORE, COMPOSITE = 0, 1, 2
SEARCHES = [
    (0, TOROID, 0, AWG, "100|0|5|0|0|12|5|100|55|1|1"),
    (0, ECORE, 1, AWG, "47|0|3|0|0|24|12|200|55|1|1"),
    (2, COMPOSITE, 0, AWG, "50|0|10|500|0.5|12|5|100|55|1|1"),
    (3, TOROID, 0, AWG, "400|0|5|0|0|311|400|65|55|1|1"),
    (4, ECORE, 0, AWG, "1000|0|10|0|0|0|0|60|55|1|1"),
    (5, TOROID, 1, AWG, "10|0|2|0|0|100|0|795.8|55|1|1"),
    (0, COMPOSITE, 0, METRIC, "100|0|0.5|0|0|12|5|100|55|1|1"),
    (1, TOROID, 0, SWG, "100|0|5|200|1|12|5|100|55|2|3"),
    (4, COMPOSITE, 0, AWG, "1000|0|1|0|0|0|0|60|55|1|1"),
]
write("DesignSearchFuzz",
      [bytes([a, s, w, g, 0]) + t.encode() for a, s, w, g, t in SEARCHES])

# Design files: the inputs of a fresh program and of a PFC design in metric units, as the program
# writes them (the reader also takes these with a last search; the fuzzer finds that shape from
# the writer's own output, which every accepted input is written back as).
APPS = ["dc", "controlled-swing", "wide-swing", "pfc", "powerline", "resonant"]
REQ_KEYS = ["inductanceMh", "maxDcResistanceOhm", "currentA", "inductanceAtMinCurrentMh",
            "minCurrentA", "voltage1V", "voltage2V", "frequency"]
PARAM_KEYS = ["maxTempRiseC", "copperAreaCmilPerA", "fillPercent", "minPercentPerm",
              "resistivityFactor", "tempRiseFactor", "tempRiseExponent", "leadLengthIn",
              "ambientC", "stackedCores", "wireStrands"]
MATERIALS = ["-11", "-13", "-16", "-17", "-21", "-23", "-25", "-27", "-29", "-31", "-32", "-36",
             "-37", "-39"]


def design_file(application, units, requirements, materials=MATERIALS):
    import json
    params = {a: dict(zip(PARAM_KEYS, [80.0 if a == "pfc" else 40.0, 150.0, 40.0, 40.0, 1.0, 1.0,
                                        0.833, 0.25, 55.0, 1, 1])) for a in APPS}
    reqs = {a: dict(zip(REQ_KEYS, requirements.get(a, [0.0] * 8))) for a in APPS}
    return json.dumps({
        "format": "korvell-inductors-design", "version": 1, "application": application,
        "coreShape": "toroid", "winding": "full", "materials": materials, "units": units,
        "gageSystem": "awg", "stackedCores": 1, "wireStrands": 1, "requirements": reqs,
        "designParameters": params}, indent=2).encode()


write("DesignFileFuzz", [
    design_file("dc", "english", {}),
    design_file("pfc", "metric", {"pfc": [0.4, 0.0, 5.0, 0.0, 0.0, 311.0, 400.0, 65.0]},
                ["-21", "-36"]),
    b'{"format": "korvell-inductors-design", "version": 2}',
    # Hostile shapes: nesting just past the bound and far past it, and a very long string.
    b"[" * 65 + b"]" * 65,
    b"[" * 100000,
    b'{"format": "korvell-inductors-design", "version": 1, "notes": "' + b"x" * 300000 + b'"}',
    b'{"a":' * 64 + b"0" + b"}" * 64,
])

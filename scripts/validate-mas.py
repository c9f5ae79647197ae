#!/usr/bin/env python3
"""Validates MAS documents against the MAS 1.0.0 JSON schemas, offline.

usage: validate-mas.py SCHEMA_DIR [--class A] FILE...

Every schema under SCHEMA_DIR is loaded into a store keyed by its $id, so the relative $refs
resolve without a network. A document is checked against MAS.json, or with --class against the
conformance bundle of that class (conformance/class-A.json, ...). Prints each refusal with the
path of the offending value; exit status 0 when every document validates, 1 otherwise, 2 for
bad usage.
"""
import json
import pathlib
import sys
import warnings

from jsonschema import Draft202012Validator


def make_validator(schema, store):
    """Resolves $refs from the store: through `referencing` where jsonschema has it (4.18 on),
    else through RefResolver (Debian 12's 4.10)."""
    try:
        from referencing import Registry, Resource
    except ImportError:
        with warnings.catch_warnings():
            warnings.simplefilter("ignore", DeprecationWarning)
            from jsonschema import RefResolver
        return Draft202012Validator(
            schema, resolver=RefResolver(schema["$id"], schema, store=store))
    registry = Registry().with_resources(
        (uri, Resource.from_contents(contents)) for uri, contents in store.items())
    return Draft202012Validator(schema, registry=registry)


def main(argv):
    args = argv[1:]
    if len(args) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    root = pathlib.Path(args.pop(0))
    entry = "MAS.json"
    if args[0] == "--class":
        entry = f"conformance/class-{args[1]}.json"
        args = args[2:]
    store = {}
    for path in root.rglob("*.json"):
        schema = json.loads(path.read_text())
        store[schema["$id"]] = schema
    schema = json.loads((root / entry).read_text())
    validator = make_validator(schema, store)
    faults = 0
    for name in args:
        try:
            document = json.loads(pathlib.Path(name).read_text())
        except (OSError, ValueError) as error:
            print(f"{name}: not read: {error}")
            faults += 1
            continue
        for error in sorted(validator.iter_errors(document), key=lambda e: list(e.path)):
            where = "/".join(str(p) for p in error.absolute_path)
            print(f"{name}: /{where}: {error.message[:300]}")
            faults += 1
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

#!/usr/bin/env python3
"""Validates JSON documents (or JSON Lines) against a JSON Schema 2020-12
with the independent validator of Debian's python3-jsonschema."""
import json
import sys

import jsonschema


def main():
    if len(sys.argv) < 3:
        sys.exit("usage: validate_json.py SCHEMA FILE...")
    with open(sys.argv[1], encoding="utf-8") as f:
        schema = json.load(f)
    jsonschema.Draft202012Validator.check_schema(schema)
    validator = jsonschema.Draft202012Validator(schema)
    failed = 0
    for name in sys.argv[2:]:
        with open(name, encoding="utf-8") as f:
            text = f.read()
        docs = [json.loads(line) for line in text.splitlines() if line.strip()] \
            if name.endswith(".jsonl") else [json.loads(text)]
        for number, doc in enumerate(docs, 1):
            for error in validator.iter_errors(doc):
                failed += 1
                path = "/".join(str(p) for p in error.absolute_path)
                print(f"{name}: document {number}: /{path}: {error.message}")
    sys.exit(1 if failed else 0)


main()

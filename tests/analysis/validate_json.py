#!/usr/bin/env python3
"""Validates JSON documents (or JSON Lines) against a JSON Schema 2020-12
with the independent validator of Debian's python3-jsonschema.

With --distinct, documents that differ only in trace messages, sources and
line numbers (members the schema constrains by type and minimum alone, which
is checked first) are validated once: thousands of reports of one machine
then cost little more than one."""
import json
import sys

import jsonschema


def folded(value, key=None):
    if isinstance(value, dict):
        return {k: folded(v, k) for k, v in value.items()}
    if isinstance(value, list):
        return [folded(v) for v in value]
    if key in ("message", "source") and isinstance(value, str):
        return ""
    if key == "line" and type(value) is int and value >= 1:
        return 1
    return value


def check_folding_is_sound(schema):
    plain = {"type", "description"}
    message = schema["$defs"]["traces"]["items"]["properties"]["message"]
    line = schema["$defs"]["line"]
    source = schema["properties"]["source"]
    if set(message) - plain or set(source) - plain or set(line) - plain - {"minimum"} \
            or line.get("minimum") != 1:
        sys.exit("validate_json.py: --distinct folds members the schema now constrains")


def main():
    args = sys.argv[1:]
    distinct = "--distinct" in args
    args = [a for a in args if a != "--distinct"]
    if len(args) < 2:
        sys.exit("usage: validate_json.py [--distinct] SCHEMA FILE...")
    with open(args[0], encoding="utf-8") as f:
        schema = json.load(f)
    jsonschema.Draft202012Validator.check_schema(schema)
    if distinct:
        check_folding_is_sound(schema)
    validator = jsonschema.Draft202012Validator(schema)
    failed = 0
    seen = set()
    for name in args[1:]:
        with open(name, encoding="utf-8") as f:
            text = f.read()
        docs = [json.loads(line) for line in text.splitlines() if line.strip()] \
            if name.endswith(".jsonl") else [json.loads(text)]
        for number, doc in enumerate(docs, 1):
            if distinct:
                key = json.dumps(folded(doc))
                if key in seen:
                    continue
                seen.add(key)
            for error in validator.iter_errors(doc):
                failed += 1
                path = "/".join(str(p) for p in error.absolute_path)
                print(f"{name}: document {number}: /{path}: {error.message}")
    if distinct:
        print(f"validated {len(seen)} distinct documents")
    sys.exit(1 if failed else 0)


main()

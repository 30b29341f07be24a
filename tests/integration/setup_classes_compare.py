"""Holds malvoret-report's --all-classes JSON against class_probe's census.

  setup_classes_compare.py PROBE.json REPORT.json

Every installed class with a present device must be reported, by name, none
other; each with the same devices (instance IDs, in any order), function
drivers and device filters (a device without a service has no stack). Prints
"GUID<TAB>name" per class; exits 1 with the differences.
"""
import json
import sys


def main():
    probe = json.load(open(sys.argv[1], encoding="utf-8"))
    report = json.load(open(sys.argv[2], encoding="utf-8"))
    problems = []
    expected = {c["guid"]: c for c in probe if c["devices"]}
    reported = {c["guid"]: c for c in report["setupClasses"]}
    for guid in sorted(set(expected) - set(reported)):
        problems.append(f"{guid} {expected[guid]['name']}: has present devices, not reported")
    for guid in sorted(set(reported) - set(expected)):
        problems.append(f"{guid} {reported[guid]['name']}: reported, no present device found")
    names = [c["name"] or "" for c in report["setupClasses"]]
    if names != sorted(names, key=lambda n: n.upper()):
        problems.append(f"classes not in name order: {names}")
    for guid in sorted(set(expected) & set(reported)):
        want = {d["instanceId"].upper(): d for d in expected[guid]["devices"]}
        got = {(d["instanceId"] or "").upper(): d for d in reported[guid]["devices"]}
        if reported[guid]["name"] != expected[guid]["name"]:
            problems.append(f"{guid}: named {reported[guid]['name']!r}, "
                            f"SetupAPI says {expected[guid]['name']!r}")
        if set(want) != set(got):
            problems.append(f"{guid}: devices {sorted(got)}, expected {sorted(want)}")
            continue
        for key, device in want.items():
            stack = got[key]["driverStack"]
            # Without a function driver the stack does not load: the report
            # shows the failure of its service query instead.
            if stack is None or not device["service"]:
                if (stack is None) != (not device["service"]):
                    problems.append(f"{key}: driver stack {stack!r}, "
                                    f"SetupAPI's service {device['service']!r}")
                continue
            # The report lists filters from the last stored to the first.
            shown = {
                "service": stack["functionDriver"],
                "upperFilters": list(reversed(stack["upperDeviceFilters"])),
                "lowerFilters": list(reversed(stack["lowerDeviceFilters"])),
            }
            for field, value in shown.items():
                if value != device[field]:
                    problems.append(f"{key}: {field} {value!r}, SetupAPI says {device[field]!r}")
    for problem in problems:
        print("   FAILED: " + problem, file=sys.stderr)
    for c in report["setupClasses"]:
        print(f"{c['guid']}\t{c['name']}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

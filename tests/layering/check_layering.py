#!/usr/bin/env python3
"""Reads the #include lines under src/ and fails on one the layering forbids.

usage: check_layering.py RULES SRC_DIR
The rules are in layers.txt beside this script.
"""
import fnmatch
import os
import re
import sys

# Headers of the Windows SDK: what <windows.h> stands for in the rules.
WINDOWS_HEADERS = {
    "windows.h", "winver.h", "winsvc.h", "winreg.h", "winbase.h", "winuser.h",
    "commctrl.h", "commdlg.h", "objbase.h", "shellapi.h", "shlobj.h", "setupapi.h",
    "cfgmgr32.h", "devguid.h", "initguid.h", "winerror.h",
}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')


def read_rules(path):
    allowed, windows = {}, []
    with open(path, encoding="utf-8") as rules:
        for number, line in enumerate(rules, 1):
            words = line.split()
            if not words or words[0].startswith("#"):
                continue
            head, rest = words[0], words[1:]
            if head == "<windows.h>":
                windows = rest
            elif head.endswith("/"):
                allowed[head] = rest
            else:
                sys.exit(f"{path}:{number}: a rule starts with a folder ending in /")
    return allowed, windows


def layer_of(path, layers):
    """The longest listed folder holding path, counting subfolders not listed."""
    best = None
    for folder in layers:
        if path.startswith(folder) and (best is None or len(folder) > len(best)):
            best = folder
    return best


def permits(entry, target, target_layer):
    if entry.endswith("/"):
        return entry == target_layer
    return entry == target


def main():
    rules_path, src = sys.argv[1], sys.argv[2]
    allowed, windows = read_rules(rules_path)
    faults = []
    for root, _, names in os.walk(src):
        for name in sorted(names):
            if not name.endswith((".h", ".cpp", ".c", ".rc", ".in")):
                continue
            full = os.path.join(root, name)
            path = os.path.relpath(full, src).replace(os.sep, "/")
            layer = layer_of(path, allowed)
            if layer is None:
                faults.append(f"src/{path}: its folder has no line in layers.txt")
                continue
            with open(full, encoding="utf-8", errors="replace") as text:
                for number, line in enumerate(text, 1):
                    match = INCLUDE.match(line)
                    if not match:
                        continue
                    kind, header = match.groups()
                    where = f"src/{path}:{number}"
                    if kind == "<":
                        if header.lower() in WINDOWS_HEADERS and not any(
                                fnmatch.fnmatch(path, p + "*" if p.endswith("/") else p)
                                for p in windows):
                            faults.append(f"{where}: <{header}> outside "
                                          f"{' '.join(windows)}")
                        continue
                    if header.startswith("."):
                        header = os.path.normpath(
                            os.path.join(os.path.dirname(path), header)).replace(os.sep, "/")
                    if "/" not in header:
                        continue  # beside the including file
                    target_layer = layer_of(header, allowed)
                    if target_layer in (None, layer):
                        continue  # its own folder, or outside src/ (generated, tests)
                    if not any(permits(e, header, target_layer) for e in allowed[layer]):
                        faults.append(f'{where}: {layer} may not include "{header}" '
                                      f"({target_layer})")
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} include(s) cross the layering in {rules_path}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())

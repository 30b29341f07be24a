#!/usr/bin/env python3
"""Runs docs/fleet.md as a user would: writes the example machines' reports
into tickets/, runs the page's loading commands, then each query of the page
with sqlite3, and compares the output with the answer the page shows. The
page is the only copy of the commands, so page and test cannot drift."""
import os
import re
import shutil
import subprocess
import sys

QUERIES = ("usb-filter", "driver-versions", "unexplained-errors")


def blocks(page):
    """Marker -> the fenced block that follows it."""
    found = {}
    for marker, body in re.findall(r"<!-- fleet:(\S+(?: \S+)?) -->\s*```\w*\n(.*?)```", page,
                                   re.S):
        found[marker] = body
    return found


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: fleet_queries.py REPORT_EXE SOURCE_DIR WORK_DIR")
    exe, source, work = sys.argv[1:]
    if shutil.which("sqlite3") is None:
        sys.exit("fleet_queries.py: sqlite3 is not installed (tools/install-deps)")
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(os.path.join(work, "tickets"))
    machines = os.path.join(source, "examples", "machines")
    for name in sorted(os.listdir(machines)):
        if name.endswith(".json"):
            with open(os.path.join(work, "tickets", name[:-5] + ".txt"), "wb") as out:
                subprocess.run([exe, "--system", os.path.join(machines, name)], stdout=out,
                               check=True)
    with open(os.path.join(source, "docs", "fleet.md"), encoding="utf-8") as f:
        page = blocks(f.read())
    env = dict(os.environ, PATH=os.path.dirname(os.path.abspath(exe)) + os.pathsep +
               os.environ["PATH"])
    subprocess.run(["sh", "-e"], input=page["load"], text=True, cwd=work, env=env, check=True)
    failed = 0
    for name in QUERIES:
        query, answer = page.get("query " + name), page.get("answer " + name)
        if query is None or answer is None:
            print(f"docs/fleet.md: no query or no answer for {name}")
            failed += 1
            continue
        got = subprocess.run(["sqlite3", "-table", "fleet.db"], input=query, text=True,
                             cwd=work, env=env, capture_output=True)
        if got.returncode != 0 or got.stdout != answer:
            print(f"docs/fleet.md: {name} answers\n{got.stdout}{got.stderr}instead of\n{answer}")
            failed += 1
    sys.exit(1 if failed else 0)


main()

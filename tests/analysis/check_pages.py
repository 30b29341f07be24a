#!/usr/bin/env python3
"""The web pages in a real browser and an independent HTML checker.

    check_pages.py REPORT_EXE SOURCE_DIR WORK_DIR

For every example machine, a difference and a check: the page passes tidy,
headless Chromium (Debian's) loads it, and the DOM it builds holds each device
and service of the report's JSON twin, every ERROR and WARNING line, and
nothing that runs. A machine with hostile names shows them as text.
Screenshots of a report, a difference and a check stay in WORK_DIR.
Exit 77 (skipped) when chromium, tidy or html5lib is missing.
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile

try:
    import html5lib
except ImportError:
    html5lib = None

HOSTILE = '<script>alert(1)</script> & "x"'
HOSTILE_FILTER = "<img src=x onerror=alert(2)>"
HOSTILE_COMPANY = "<b onmouseover=alert(3)>Evil</b>"

failures = []


def fail(what):
    failures.append(what)
    print("FAILED: " + what, file=sys.stderr)


def chromium():
    for name in ("chromium", "chromium-browser"):
        path = shutil.which(name)
        if path:
            return path
    return None


def browser_args(profile):
    # As root Chromium needs --no-sandbox; nothing may reach the network.
    return [chromium(), "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
            "--no-first-run", "--disable-background-networking", "--disable-component-update",
            "--disable-sync", "--user-data-dir=" + profile]


def run_report(exe, args, expect=(0,)):
    done = subprocess.run([exe] + args, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    if done.returncode not in expect:
        fail("%s exited %d: %s" % (" ".join(args), done.returncode, done.stderr.decode()))
    return done.returncode, done.stdout


def tidy(path):
    done = subprocess.run(["tidy", "-q", "-e", "--gnu-emacs", "yes", path],
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    if done.returncode != 0 or done.stdout.strip():
        fail("tidy on %s:\n%s" % (path, done.stdout.decode(errors="replace")))


def dump_dom(path, work):
    with tempfile.TemporaryDirectory(dir=work) as profile:
        done = subprocess.run(browser_args(profile) + ["--dump-dom", "file://" + path],
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=120)
    if done.returncode != 0 or b"<body" not in done.stdout:
        fail("chromium --dump-dom %s exited %d" % (path, done.returncode))
        return None
    return html5lib.parse(done.stdout, treebuilder="etree", namespaceHTMLElements=False)


def screenshot(path, png, work, size="1200,1600", extra=()):
    with tempfile.TemporaryDirectory(dir=work) as profile:
        subprocess.run(browser_args(profile) + list(extra) + [
            "--hide-scrollbars", "--window-size=" + size, "--screenshot=" + png,
            "file://" + path], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
    if not os.path.exists(png) or os.path.getsize(png) == 0:
        fail("no screenshot " + png)


def text(element):
    return "".join(element.itertext())


def classes(element):
    return element.get("class", "").split()


def check_nothing_runs(dom, name):
    """No element that runs script, no handler attribute, links only inside."""
    ids = {e.get("id") for e in dom.iter() if e.get("id")}
    for e in dom.iter():
        if not isinstance(e.tag, str):
            continue
        if e.tag in ("script", "iframe", "object", "embed", "img", "link", "form", "base"):
            fail("%s: a <%s> element in the DOM" % (name, e.tag))
        for attribute in e.attrib:
            if attribute.lower().startswith("on") or attribute in ("src", "srcdoc", "action"):
                fail("%s: attribute %s on <%s>" % (name, attribute, e.tag))
        href = e.get("href")
        if href is not None and (not href.startswith("#") or href[1:] not in ids):
            fail("%s: link %r leads nowhere in the page" % (name, href))


def trace_count(data):
    n = len(data["system"]["traces"])
    for c in data["setupClasses"]:
        n += len(c["traces"])
        for d in c["devices"]:
            n += len(d["traces"])
        for s in c["services"]:
            n += len(s["traces"])
            for block in (s["versionResource"] or {}).get("languages") or []:
                n += len(block["traces"])
    return n


def check_report_dom(dom, data, name):
    """Each device and service of the JSON twin, and every trace line."""
    cards = [e for e in dom.iter("article") if "device" in classes(e)]
    shown = sorted((text(c.find("h3")), text(c.find(".//dd/code")) if c.find(".//dd/code")
                    is not None else None) for c in cards)
    def shown_as(value, absent):
        return absent if value is None else value or "(empty)"
    wanted = sorted((shown_as(d["description"], "Description not known"),
                     shown_as(d["instanceId"], None))
                    for c in data["setupClasses"] for d in c["devices"])
    if shown != wanted:
        fail("%s: device cards %r, report has %r" % (name, shown[:5], wanted[:5]))
    rows = [text(tr.find("td")) for table in dom.iter("table") if "services" in classes(table)
            for tr in table.iter("tr") if tr.find("td") is not None]
    services = [s["name"] if s["name"] else "(empty)" for c in data["setupClasses"]
                for s in c["services"]]
    if sorted(rows) != sorted(services):
        fail("%s: service rows %r, report has %r" % (name, rows, services))
    traces = [e for e in dom.iter("p") if "trace" in classes(e)]
    if len(traces) != trace_count(data):
        fail("%s: %d trace lines shown, report has %d" % (name, len(traces), trace_count(data)))
    for e in traces:
        if not text(e).startswith(("ERROR: ", "WARNING: ")):
            fail("%s: trace line without its kind: %r" % (name, text(e)))


def hostile_machine(source_dir, path):
    with open(os.path.join(source_dir, "examples/machines/worked-example.json")) as f:
        machine = json.load(f)
    audio = machine["devices"][1]["properties"]
    audio["DEVICEDESC"] = HOSTILE
    audio["UPPERFILTERS"].append(HOSTILE_FILTER)
    for f in machine["files"]:
        if f["path"].endswith("fltA.sys"):
            for strings in f["version"]["strings"].values():
                strings["CompanyName"] = HOSTILE_COMPANY
    with open(path, "w") as f:
        json.dump(machine, f)


def main():
    exe, source_dir, work = sys.argv[1:4]
    missing = [tool for tool, there in (("chromium", chromium()), ("tidy", shutil.which("tidy")),
                                        ("python3-html5lib", html5lib)) if not there]
    if missing:
        print("SKIPPED: %s missing (tools/install-deps installs them)" % ", ".join(missing))
        return 77
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    machines_dir = os.path.join(source_dir, "examples/machines")
    for machine in sorted(os.listdir(machines_dir)):
        name = machine[:-5]
        path = os.path.join(machines_dir, machine)
        _, twin = run_report(exe, ["--system", path, "--format", "json"])
        page = os.path.join(work, name + ".html")
        run_report(exe, ["--system", path, "--format", "html", "--output", page])
        tidy(page)
        dom = dump_dom(page, work)
        if dom is not None:
            check_nothing_runs(dom, name)
            check_report_dom(dom, json.loads(twin), name)
    screenshot(os.path.join(work, "support-cases.html"), os.path.join(work, "report.png"), work)
    screenshot(os.path.join(work, "support-cases.html"), os.path.join(work, "report-dark.png"),
               work, extra=["--force-dark-mode"])
    screenshot(os.path.join(work, "support-cases.html"), os.path.join(work, "report-narrow.png"),
               work, size="420,1600")

    # Hostile names: shown character for character, nothing of them runs.
    hostile = os.path.join(work, "hostile.json")
    hostile_machine(source_dir, hostile)
    page = os.path.join(work, "hostile.html")
    run_report(exe, ["--system", hostile, "--format", "html", "--output", page])
    tidy(page)
    dom = dump_dom(page, work)
    if dom is not None:
        check_nothing_runs(dom, "hostile")
        headings = [text(e) for e in dom.iter("h3")]
        if HOSTILE not in headings:
            fail("hostile: no device heading reads %r: %r" % (HOSTILE, headings))
        boxes = [text(e) for e in dom.iter("li") if "missing" in classes(e)]
        if not any(HOSTILE_FILTER in b for b in boxes):
            fail("hostile: the filter %r is not shown missing: %r" % (HOSTILE_FILTER, boxes))
        if not any(text(e) == HOSTILE_COMPANY for e in dom.iter("span") if "co" in classes(e)):
            fail("hostile: company %r not shown as text" % HOSTILE_COMPANY)

    # A difference: the worked example against the hostile machine.
    old = os.path.join(work, "worked-example.txt")
    new = os.path.join(work, "hostile.txt")
    run_report(exe, ["--system", os.path.join(machines_dir, "worked-example.json"),
                     "--output", old])
    run_report(exe, ["--system", hostile, "--output", new])
    text_rc, diff_text = run_report(exe, ["--diff", old, new], expect=(1,))
    page = os.path.join(work, "diff.html")
    html_rc, _ = run_report(exe, ["--diff", old, new, "--format", "html", "--output", page],
                            expect=(1,))
    tidy(page)
    dom = dump_dom(page, work)
    count = int(diff_text.decode().strip().splitlines()[-1].split()[0])
    if dom is not None:
        check_nothing_runs(dom, "diff")
        changes = [e for ul in dom.iter("ul") if "changes" in classes(ul) for e in ul.iter("li")]
        if len(changes) != count:
            fail("diff: %d changes shown, the text says %d" % (len(changes), count))
        head = text(dom.find(".//header"))
        if old not in head or new not in head or "%d differences" % count not in head:
            fail("diff: the header names not both sources and the count: %r" % head)
        if not any(HOSTILE in text(e) for e in dom.iter("ins")):
            fail("diff: the hostile description is not shown as added text")
    screenshot(page, os.path.join(work, "diff.png"), work, size="1200,1000")
    same = os.path.join(work, "same.html")
    run_report(exe, ["--diff", old, old, "--format", "html", "--output", same], expect=(0,))
    tidy(same)

    # A check: the XP machine has a service that is not installed (an error).
    saved = os.path.join(source_dir, "tests/golden/xp-sp3-usb-1394.txt")
    _, findings = run_report(exe, ["--check", saved, "--format", "json"], expect=(1,))
    page = os.path.join(work, "check.html")
    run_report(exe, ["--check", saved, "--format", "html", "--output", page], expect=(1,))
    tidy(page)
    dom = dump_dom(page, work)
    if dom is not None:
        check_nothing_runs(dom, "check")
        shown = [e for ol in dom.iter("ol") if "findings" in classes(ol) for e in ol.iter("li")]
        wanted = json.loads(findings)["findings"]
        if len(shown) != len(wanted):
            fail("check: %d findings shown, %d found" % (len(shown), len(wanted)))
        for e, f in zip(shown, wanted):
            if f["subject"] not in text(e) or f["action"] not in text(e):
                fail("check: finding %r shown as %r" % (f["subject"], text(e)))
        _, data = run_report(exe, ["--read", saved, "--format", "json"])
        check_report_dom(dom, json.loads(data), "check")
    screenshot(page, os.path.join(work, "check.png"), work)
    healthy = os.path.join(source_dir, "tests/golden/worked-example.txt")
    run_report(exe, ["--check", healthy, "--format", "html", "--output",
                     os.path.join(work, "check-none.html")], expect=(0,))

    print("%d failed, screenshots in %s" % (len(failures), work))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

"""Pull the plug at every write point: a document with a stock movement and its e-invoice (the
export, "Crea file XML"), then its posting and its journal entry, run by the real program through
an operator script on a company that already holds one such document. The program built with the
write hook (QORVANA_WRITE_HOOK) counts the run's write points (QORVANA_WRITE_COUNT); then, for each
point N, a run is killed right after it (QORVANA_WRITE_FAULT=kill:N, SIGKILL), the program is
started again (an empty script: the start recovers), and the company is checked:
- the counters of documents, movements and journal records agree with their files, the
  transmission counter covers every e-invoice file, and each file has its archive copy;
- every stored document has its continuation record, line file, stock movement, article totals,
  its e-invoice in the list to send and, once registered, its journal record and account totals;
- the earlier document, its movement, journal record and e-invoice are as they were;
- no intent and no temporary file is left, and the operator was told of each recovery.
Then the same with an EIO and an ENOSPC made at a point: the run must tell of the failure (a
message box), and the restart leaves the company as above.

Where a run leaves the whole intent of the document's posting, the restart completes the document
and then prints it again with "Ristampa" (the header of a new document, never confirmed): the
operator must be told so with the recovery, and the print image must be byte for byte the one the
document gets when it is printed as it is confirmed.

An e-invoice file of an export whose document was never confirmed (killed between "Crea file XML"
and the confirmation) is counted apart: the file, its copy and its progressive are consistent,
and the operator confirms the document again or lets the progressive go.

    crash_points.py QORVANA QORVANA_DEMO

By default every point is killed, and the errors are made at every other point (EIO at the odd
ones, ENOSPC at the even ones), to stay within a few minutes; CRASH_POINTS_ALL=1 makes both at
every point. CRASH_POINTS_JOBS (default 2) runs that many at once. Prints the figures."""
import concurrent.futures
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from check_lib import counter, dbl, records, text  # noqa: E402

QORVANA, DEMO = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
ARTICLE_RECORD = 3  # LED-E27-10W
SCENARIO = """key qoremf.nome "arco" Enter
click qoremf.bottone(0)
click qoremfx.command3d3
key qoremfx.artic(0) "LED-E27-10W" Enter
type qoremfx.quantita(0) "1"
type qoremfx.prezzo(0) "1000"
click qoremfx.comando(1)
expect-visible qoremft
click qoremft.ccomando(0)
click qoremft.ccomando(1)
click qoremft.comando(7)
answer No
answer No
click qoremft.comando(1)
click qorxord.bottone(1)
"""
# The same, printed when it is confirmed: the print image every reprint must give.
PRINTED = SCENARIO.replace("answer No\nanswer No\n", "answer Yes\nanswer No\n")
# After a restart that completed the document: a new document's header, "Ristampa", printed.
REPRINT = """key qoremf.nome "arco" Enter
click qoremf.bottone(0)
type qoremfx.ds(0) "Riga"
type qoremfx.prezzo(0) "1"
click qoremfx.comando(1)
expect-visible qoremft
answer Yes
answer No
click qoremft.comando(3)
"""
REASONS = {"eio": "errore del disco", "enospc": "il disco è pieno"}
XML = re.compile(r"IT01234567897_(\d{5})\.xml$")  # match(): a temporary name starts with "."


def company_of(drive):
    return os.path.join(drive, "qorwin", "qorwin", "qoraz0.001")


def run(work, drive, script, env=None):
    """Runs the program on `drive` with `script`: its output (the message boxes) and status."""
    os.makedirs(os.path.join(work, "rt"), mode=0o700, exist_ok=True)
    environment = dict(os.environ, QT_QPA_PLATFORM="offscreen",
                       XDG_RUNTIME_DIR=os.path.join(work, "rt"), **(env or {}))
    done = subprocess.run(
        [QORVANA, "--drive", drive, "--company", "1", "--now", "06/12/2026 10:00",
         "--print-to", work, "--replay", script],
        cwd=work, env=environment, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
        timeout=120)
    return done.stdout, done.returncode


def last_held(rows):
    """The last record that holds data (not only zero bytes or blanks)."""
    for n in range(len(rows), 0, -1):
        if rows[n - 1].strip(b" \0"):
            return n
    return 0


def snapshot(company):
    """What the checks compare with: the earlier records and the totals."""
    art = records("qorvana.art", 327, company)[ARTICLE_RECORD - 1]
    return {"fte": records("qorvana.fte", 522, company),
            "f2e": records("qorvana.f2e", 838, company),
            "mag": records("qorvana.mag", 94, company),
            "gio": records("qorvana.gio", 296, company),
            "xml": {f: open(os.path.join(company, "fatturepa", f), "rb").read()
                    for f in os.listdir(os.path.join(company, "fatturepa"))},
            "stock": dbl(art, 123), "sold": dbl(art, 179),
            "debit": sum(dbl(a, 58) for a in records("qorvana.con", 150, company)),
            "credit": sum(dbl(a, 66) for a in records("qorvana.con", 150, company))}


def problems_of(company, base):
    """Every way the company disagrees with itself or lost what `base` held; and whether an
    e-invoice file belongs to no document."""
    found = []
    fte, f2e = records("qorvana.fte", 522, company), records("qorvana.f2e", 838, company)
    mag, gio = records("qorvana.mag", 94, company), records("qorvana.gio", 296, company)
    for name, rows, record in (("documents", fte, 7), ("movements", mag, 11),
                               ("journal records", gio, 13)):
        if counter(record, 1, company) != last_held(rows):
            found.append(f"counter {record} says {counter(record, 1, company)}, "
                         f"{name} held {last_held(rows)}")
    for name in ("fte", "f2e", "mag", "gio"):
        rows = {"fte": fte, "f2e": f2e, "mag": mag, "gio": gio}[name]
        if rows[:len(base[name])] != base[name]:
            found.append(f"an earlier record of qorvana.{name} changed")
    folder = os.path.join(company, "fatturepa")
    xmls = {f: open(os.path.join(folder, f), "rb").read() for f in os.listdir(folder)}
    for f, bytes_ in base["xml"].items():
        if xmls.get(f) != bytes_:
            found.append(f"the earlier e-invoice {f} changed")
    listed = open(os.path.join(company, "qorvana.sdi"), "rb").read().decode("cp1252")
    documents = {}
    for n in range(1, last_held(fte) + 1):
        d = fte[n - 1]
        number = text(d, 2, 10)
        documents[number] = dbl(d, 94) + dbl(d, 158)
        if n > len(f2e) or not f2e[n - 1].strip(b" \0"):
            found.append(f"document {number}: no continuation record")
        serial = int(struct.unpack_from("<f", d, 455)[0])
        try:
            lines = open(os.path.join(company, f"f{serial}"), "rb").read().split(b"\r\n")
            if lines[12].decode("cp1252") != number:
                found.append(f"document {number}: line file f{serial} holds {lines[12]!r}")
        except (OSError, IndexError):
            found.append(f"document {number}: no line file f{serial}")
        xml = f"IT01234567897_{int(number):05d}.xml"
        if xml not in xmls:
            found.append(f"document {number}: no e-invoice file {xml}")
        elif xml not in listed:
            found.append(f"document {number}: {xml} not in the list to send")
    stored_numbers = {f"IT01234567897_{int(k):05d}.xml" for k in documents if k.isdigit()}
    orphan = any(f not in stored_numbers for f in filter(XML.match, xmls))
    for f in filter(XML.match, xmls):
        progressive = int(XML.match(f).group(1))
        if progressive > counter(5, 1, company):
            found.append(f"{f}: progressive above the counter {counter(5, 1, company)}")
        if not os.path.exists(os.path.join(company, f"fpa{progressive}")):
            found.append(f"{f}: no archive copy fpa{progressive}")
    stored = len(documents) - len(base["fte"])
    if last_held(mag) - len(base["mag"]) != stored:
        found.append(f"{stored} documents stored, {last_held(mag) - len(base['mag'])} movements")
    art = records("qorvana.art", 327, company)[ARTICLE_RECORD - 1]
    if dbl(art, 123) != base["stock"] - stored or dbl(art, 179) != base["sold"] + stored:
        found.append(f"article stock {dbl(art, 123)} sold {dbl(art, 179)} for {stored} stored")
    registered = 0.0
    for g in gio[len(base["gio"]):last_held(gio)]:
        m = re.match(r"Fattura n\. (\S+) del", text(g, 8, 40))
        if not m or m.group(1) not in documents:
            found.append(f"journal record {text(g, 8, 40)!r} of no stored document")
        elif abs(dbl(g, 80) - documents[m.group(1)]) > 0.005:
            found.append(f"journal record of {m.group(1)}: {dbl(g, 80)}")
        registered += dbl(g, 80)
    accounts = records("qorvana.con", 150, company)
    for side, at in (("debit", 58), ("credit", 66)):
        moved = sum(dbl(a, at) for a in accounts) - base[side]
        if abs(moved - registered) > 0.005:
            found.append(f"accounts' {side} moved by {moved:.2f}, journal records {registered:.2f}")
    for folder_ in (company, folder):
        left = [f for f in os.listdir(folder_) if f.startswith(".") or f.endswith(".tmp")]
        if left:
            found.append(f"temporary files left: {left}")
    if os.path.exists(os.path.join(company, "qorvana.wip")):
        found.append("the intent qorvana.wip is left")
    return found, orphan


def posting_intent(company):
    """Whether the intent left in `company` is whole (its checksum, core/intent_log.cpp) and posts a
    document: the restart completes that document."""
    try:
        data = open(os.path.join(company, "qorvana.wip"), "rb").read()
    except OSError:
        return False
    body, trailer = data[:-18], data[-18:]
    checksum = 14695981039346656037  # 64-bit FNV-1a
    for byte in body:
        checksum = ((checksum ^ byte) * 1099511628211) & 0xFFFFFFFFFFFFFFFF
    return trailer == b"E%016x\n" % checksum and b":La fattura n. " in body[:40]


def one_run(base_drive, base, work_root, fault):
    """Runs the scenario with `fault` ("kill:N", ...), restarts, checks: the outcome."""
    work = tempfile.mkdtemp(dir=work_root)
    drive = os.path.join(work, "drive")
    shutil.copytree(base_drive, drive, symlinks=True)
    company = company_of(drive)
    out, _ = run(work, drive, os.path.join(work_root, "scenario.qrs"),
                 {"QORVANA_WRITE_FAULT": fault})
    intent_left = os.path.exists(os.path.join(company, "qorvana.wip"))
    reprinted = posting_intent(company)
    kind = fault.split(":")[0]
    told = kind == "kill" or REASONS[kind] in out
    again, status = run(work, drive, os.path.join(
        work_root, "reprint.qrs" if reprinted else "restart.qrs"))
    recovered = "interrotta" in again
    found, orphan = problems_of(company, base)
    if status != 0:
        found.append("the restart failed: " + again[-500:])
    if intent_left and not recovered:
        found.append("an intent was left and the restart told nothing")
    if reprinted:
        if 'si può ristampare con \\"Ristampa\\"' not in again:
            found.append("the document completed at start: not told that it can be reprinted")
        image = os.path.join(drive, "qordoc.rto")
        if not os.path.exists(image) or open(image, "rb").read() != base["image"]:
            found.append("the document completed at start: its reprint differs from its print")
        if not os.path.exists(os.path.join(work, "print-1.pdf")):
            found.append("the document completed at start: no page printed")
    shutil.rmtree(work, ignore_errors=True)
    return {"fault": fault, "problems": found, "told": told, "orphan": orphan,
            "recovered": recovered, "reprinted": reprinted, "out": out, "again": again}


def main():
    work_root = tempfile.mkdtemp(prefix="qorvana-crash.")
    keep = os.environ.get("QORVANA_KEEP") == "1"
    try:
        for name, script in (("scenario.qrs", SCENARIO), ("printed.qrs", PRINTED),
                             ("reprint.qrs", REPRINT), ("restart.qrs", "")):
            with open(os.path.join(work_root, name), "w") as f:
                f.write(script)
        # The earlier document, then the company every run starts from.
        base_drive = os.path.join(work_root, "base")
        subprocess.run([DEMO, "--drive", base_drive, "--einvoices-all", "1"], check=True,
                       stdout=subprocess.DEVNULL)
        out, status = run(work_root, base_drive, os.path.join(work_root, "scenario.qrs"))
        if status != 0:
            sys.exit("the earlier document was not posted:\n" + out)
        base = snapshot(company_of(base_drive))
        # The document printed as it is confirmed.
        printed = os.path.join(work_root, "printed")
        shutil.copytree(base_drive, printed, symlinks=True)
        out, status = run(work_root, printed, os.path.join(work_root, "printed.qrs"))
        if status != 0:
            sys.exit("the document was not printed:\n" + out)
        base["image"] = open(os.path.join(printed, "qordoc.rto"), "rb").read()
        # The run's write points.
        probe = os.path.join(work_root, "probe")
        shutil.copytree(base_drive, probe, symlinks=True)
        count = os.path.join(work_root, "count")
        out, status = run(work_root, probe, os.path.join(work_root, "scenario.qrs"),
                          {"QORVANA_WRITE_FAULT": "count", "QORVANA_WRITE_COUNT": count})
        points = int(open(count).read())
        clean, _ = problems_of(company_of(probe), base)
        if status != 0 or clean:
            sys.exit(f"the run without faults: status {status}, {clean}\n{out}")
        every = os.environ.get("CRASH_POINTS_ALL") == "1"
        faults = [f"kill:{n}" for n in range(1, points + 1)]
        faults += [f"eio:{n}" for n in range(1, points + 1) if every or n % 2 == 1]
        faults += [f"enospc:{n}" for n in range(1, points + 1) if every or n % 2 == 0]
        jobs = int(os.environ.get("CRASH_POINTS_JOBS", "2"))
        with concurrent.futures.ThreadPoolExecutor(jobs) as pool:
            outcomes = list(pool.map(lambda f: one_run(base_drive, base, work_root, f), faults))
        bad = [o for o in outcomes if o["problems"]]
        untold = [o for o in outcomes if not o["told"]]
        kills = [o for o in outcomes if o["fault"].startswith("kill")]
        print(f"write points: {points}; runs: {len(outcomes)} ({len(kills)} kills, "
              f"{len(outcomes) - len(kills)} errors made)")
        print(f"inconsistent after restart: {len(bad)}; failures not told: {len(untold)}; "
              f"recoveries told: {sum(o['recovered'] for o in outcomes)}; "
              f"documents completed at start and printed again: "
              f"{sum(o['reprinted'] for o in outcomes)}; "
              f"e-invoice files of a document never confirmed: "
              f"{sum(o['orphan'] for o in outcomes)}")
        for kind in ("kill", "eio", "enospc"):
            of = [o for o in outcomes if o["fault"].startswith(kind + ":")]
            print(f"  {kind}: {len(of)} runs, {sum(bool(o['problems']) for o in of)} inconsistent, "
                  f"{sum(o['recovered'] for o in of)} recoveries told, "
                  f"{sum(o['orphan'] for o in of)} e-invoice files of no document")
        for o in bad:
            print(f"{o['fault']}: " + "; ".join(o["problems"]))
        for o in untold:
            print(f"{o['fault']}: failure not told\n{o['out'][-800:]}")
        sys.exit(1 if bad or untold else 0)
    finally:
        if keep:
            print("work folder:", work_root)
        else:
            shutil.rmtree(work_root, ignore_errors=True)


if __name__ == "__main__":
    main()

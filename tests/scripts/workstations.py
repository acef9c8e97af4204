"""Workstations sharing one company: PROCESSES program processes, started together on one drive,
each post ROUNDS invoices (customer and price of their own, an article line, the journal entry)
through an operator script. Then the archive must hold every posting the processes reported:
its customer and amount under the number reported, no number twice, a line file and a journal
entry for every document, counters that match the files, stock and account totals that add up.
A second drive checks that a write waiting for another workstation asks the operator, and goes
on once the other lets go, with the transmission progressive the other left free. A third has two
workstations invoice the same delivery notes: one invoice is stored, the other refused.

    workstations.py QORVANA QORVANA_DEMO [ROUNDS [PROCESSES]]     (default 12 rounds, 3 processes, at most 6)

QORVANA_KEEP=1 keeps the work folder."""
import fcntl
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from check_lib import counter, dbl, records, text, word  # noqa: E402
from einvoice_agreement import disagreements  # noqa: E402

QORVANA, DEMO = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
ROUNDS = int(sys.argv[3]) if len(sys.argv) > 3 else 12
PROCESSES = int(sys.argv[4]) if len(sys.argv) > 4 else 3
# (name typed in the start form, the name found) of each process's customer.
CUSTOMERS = [("arco", "ARCO"), ("nordica", "NORDICA"), ("bordo", "BORDO"), ("alfa", "ALFA"),
             ("idro", "IDROTERMICA BASSI"), ("grandi", "GRANDI MAGAZZINI EST")]
ARTICLE, ARTICLE_RECORD = "LED-E27-10W", 3
PRINT_QUESTION = '"Iniziare la stampa?" -> No'
RENUMBERED = re.compile(r'memorizzato con il numero (\S+)\."')
BUSY = "Un'altra postazione sta memorizzando dati di questa azienda"
# The header confirmed, its two questions answered No, the print window closed unprinted.
STORE = """answer No
answer No
click qoremft.comando(1)
click qorxord.bottone(1)
"""

failures = []


def fail(what):
    failures.append(what)


def price(process, round_):
    return 1000 * (process + 1) + round_


def round_script(process, round_):
    typed, _ = CUSTOMERS[process]
    return f"""key qoremf.nome "{typed}" Enter
click qoremf.bottone(0)
click qoremfx.command3d3
key qoremfx.artic(0) "{ARTICLE}" Enter
type qoremfx.quantita(0) "1"
type qoremfx.prezzo(0) "{price(process, round_)}"
click qoremfx.comando(1)
expect-visible qoremft
""" + STORE


def make_drive(work, name, *options):
    drive = os.path.join(work, name)
    subprocess.run([DEMO, "--drive", drive, *options], check=True, stdout=subprocess.DEVNULL)
    return drive, os.path.join(drive, "qorwin", "qorwin", "qoraz0.001")


def start(work, drive, name, script):
    path = os.path.join(work, name + ".qrs")
    with open(path, "w") as f:
        f.write(script)
    out = os.path.join(work, name)
    os.makedirs(out, exist_ok=True)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=os.path.join(out, "rt"))
    os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700, exist_ok=True)
    return subprocess.Popen(
        [QORVANA, "--drive", drive, "--company", "1", "--now", "06/12/2026 10:00",
         "--print-to", out, "--replay", path],
        cwd=out, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)


def check_archive(company, reported, before):
    """reported: {(process, round): number or None}; before: stock, sold, accounts."""
    fte = records("qorvana.fte", 522, company)
    f2e = records("qorvana.f2e", 838, company)
    mag = records("qorvana.mag", 94, company)
    gio = records("qorvana.gio", 296, company)
    total = PROCESSES * ROUNDS
    counts = {"documents": (len(fte), counter(7, 1, company)),
              "continuations": (len(f2e), counter(7, 1, company)),
              "movements": (len(mag), counter(11, 1, company)),
              "journal entries": (len(gio), counter(13, 1, company))}
    for what, (stored, counted) in counts.items():
        if stored != total or counted != total:
            fail(f"{what}: {stored} stored, counter {counted}, {total} posted")

    customers = records("qorvana.cli", 752, company)
    by_number = {}
    for n, d in enumerate(fte, 1):
        number = text(d, 2, 10)
        if number in by_number:
            fail(f"number {number} stored twice (records {by_number[number][0]} and {n})")
        customer = text(customers[word(d, 0) - 1], 0, 40) if 0 < word(d, 0) <= len(customers) else ""
        by_number[number] = (n, customer, dbl(d, 94), dbl(d, 94) + dbl(d, 158), d)
        serial = int(struct.unpack_from("<f", d, 455)[0])
        line_file = os.path.join(company, f"f{serial}")
        try:
            lines = open(line_file, "rb").read().split(b"\r\n")
            if lines[12].decode("cp1252") != number or lines[0].strip() != str(word(d, 0)).encode():
                fail(f"line file f{serial} holds {lines[12]!r}, document {number}")
        except (OSError, IndexError):
            fail(f"document {number}: no line file f{serial}")
    highest = max((int(k) for k in by_number if k.isdigit()), default=0)
    if counter(7, 4, company) != highest:
        fail(f"last number issued {counter(7, 4, company)}, highest stored {highest}")
    left = [f for f in os.listdir(company) if f.startswith(".f") or f.endswith(".tmp")]
    if left:
        fail(f"temporary files left: {left}")

    # Every posting reported, under its number; the number of a renumbered one as told.
    journal = {}
    for g in gio:
        m = re.match(r"Fattura n\. (\S+) del", text(g, 8, 40))
        if not m or m.group(1) in journal:
            fail(f"journal entry {text(g, 8, 40)!r}: unexpected or twice")
            continue
        journal[m.group(1)] = (text(g, 8, 40), dbl(g, 80))
    for (process, round_), told in sorted(reported.items()):
        name, amount = CUSTOMERS[process][1], price(process, round_)
        found = [k for k, v in by_number.items() if v[1] == name and v[2] == amount]
        if len(found) != 1:
            fail(f"process {process + 1} round {round_}: {name} {amount} stored {len(found)} times")
            continue
        number = found[0]
        if told is not None and told != number:
            fail(f"process {process + 1} round {round_}: told number {told}, stored as {number}")
        entry = journal.get(number)
        described = f"Fattura n. {number} del 06/12/2026 - {name}"[:40].rstrip()
        if not entry or entry[0] != described or abs(entry[1] - by_number[number][3]) > 0.005:
            fail(f"document {number} ({name} {amount}): journal entry {entry}")

    # Stock and totals: every posting's update kept, none lost to another's.
    art = records("qorvana.art", 327, company)[ARTICLE_RECORD - 1]
    sold = sum(price(p, r) for p in range(PROCESSES) for r in range(1, ROUNDS + 1))
    if dbl(art, 123) != before["stock"] - total or dbl(art, 179) != before["sold"] + total:
        fail(f"article stock {dbl(art, 123)} and sold {dbl(art, 179)}, "
             f"expected {before['stock'] - total} and {before['sold'] + total}")
    if abs(dbl(art, 195) - before["value"] - sold) > 0.005:
        fail(f"article value sold {dbl(art, 195)}, expected {before['value'] + sold}")
    accounts = {text(a, 0, 10): (dbl(a, 58), dbl(a, 66)) for a in records("qorvana.con", 150, company)}
    revenue = accounts.get("05010001", (0, 0))[1] - before["accounts"].get("05010001", (0, 0))[1]
    if abs(revenue - sold) > 0.005:
        fail(f"revenue account credited {revenue}, expected {sold}")
    debited = sum(d - before["accounts"][k][0] for k, (d, _) in accounts.items())
    if abs(debited - sum(v[3] for v in by_number.values())) > 0.005:
        fail(f"accounts debited {debited}, documents total {sum(v[3] for v in by_number.values())}")


def run_workstations(work):
    drive, company = make_drive(work, "drive")
    art = records("qorvana.art", 327, company)[ARTICLE_RECORD - 1]
    before = {"stock": dbl(art, 123), "sold": dbl(art, 179), "value": dbl(art, 195),
              "accounts": {text(a, 0, 10): (dbl(a, 58), dbl(a, 66))
                           for a in records("qorvana.con", 150, company)}}
    programs = [start(work, drive, f"ws{p + 1}",
                      "".join(round_script(p, r) for r in range(1, ROUNDS + 1)))
                for p in range(PROCESSES)]
    reported, renumbered = {}, 0
    for p, program in enumerate(programs):
        out, _ = program.communicate()
        with open(os.path.join(work, f"ws{p + 1}.out"), "w") as f:
            f.write(out)
        if program.returncode != 0:
            fail(f"process {p + 1} ended with {program.returncode}:\n{out[-2000:]}")
        # A posting done offers printing; a number taken meanwhile is told after printing.
        round_ = 0
        for line in out.splitlines():
            if PRINT_QUESTION in line:
                round_ += 1
                reported[(p, round_)] = None
            elif m := RENUMBERED.search(line):
                reported[(p, round_)] = m.group(1)
                renumbered += 1
        if round_ != ROUNDS:
            fail(f"process {p + 1} reported {round_} postings of {ROUNDS}")
    check_archive(company, reported, before)
    return len(reported), renumbered


def run_busy(work):
    """Writing the FatturaPA file while another workstation holds the company asks after a few
    seconds; Yes tries again. The other workstation used transmissions 1 to 7 meanwhile: the file
    gets progressive 8, the operator is told, and the invoice posts with it. A file of the same
    name is replaced once the operator agrees, the question asked without the lock."""
    drive, company = make_drive(work, "busy", "--fpa-format", "1.0")
    xml = os.path.join(company, "fatturepa", "IT01234567897_1.xml")
    with open(xml, "w") as f:
        f.write("last year's file")
    holder = os.fdopen(os.open(os.path.join(company, "qorvana.lck"), os.O_RDWR | os.O_CREAT), "r+b")
    fcntl.lockf(holder, fcntl.LOCK_EX | fcntl.LOCK_NB)  # a record lock: it excludes the OFD lock
    program = start(work, drive, "busy", """key qoremf.nome "comune" Enter
click qoremf.bottone(7)
type qoremfx.ds(0) "Manutenzione impianti"
type qoremfx.prezzo(0) "100"
click qoremfx.comando(1)
expect qoremft.text2(4) "1"
click qoremft.ccomando(0)
click qoremft.ccomando(1)
answer Yes
answer Yes
click qoremft.comando(7)
expect qoremft.text2(4) "8"
""" + STORE)
    out, asked = [], None
    started = time.monotonic()
    for line in program.stdout:
        out.append(line)
        if BUSY in line and asked is None:
            asked = time.monotonic() - started
            with open(os.path.join(company, "qorvana.tot"), "r+b") as tot:
                tot.seek(4 * 12)  # record 5, word 1: the last transmission
                tot.write(struct.pack("<h", 7))
            holder.close()  # the other workstation is done
    program.wait()
    with open(os.path.join(work, "busy.out"), "w") as f:
        f.write("".join(out))
    said = "Il progressivo invio 1 è stato usato nel frattempo da un'altra postazione: " \
           "il file ha il progressivo 8."
    if program.returncode != 0 or asked is None or said not in "".join(out):
        fail("busy company: " + "".join(out[-20:]))
    elif (counter(5, 1, company) != 8 or len(records("qorvana.fte", 522, company)) != 1
          or "<ProgressivoInvio>8</ProgressivoInvio>" not in open(xml).read()
          or not os.path.exists(os.path.join(company, "fpa8"))):
        fail("busy company: the retried file, archive or invoice is not progressive 8")
    return asked


# Each workstation types a number of its own, so that only the notes can stand in the way.
NOTES_SCRIPT = """key qoremf.nome "alfa" Enter
click qoremf.bottone(0)
click qoremfx.comando(4)
close qoremfb
expect qoremfx.ds(0) "Documento trasporto n.12 del 05/03/2025"
click qoremfx.comando(1)
expect qoremft.total(0) " 1.598,50"
type qoremft.text2(0) "{number}"
click qoremft.ccomando(0)
click qoremft.ccomando(1)
answer Yes
click qoremft.comando(7)
""" + STORE
REFUSED = re.compile(r"La bolla n\. 1[23] del 05/03/2025 è stata fatturata nel frattempo da "
                     r"un'altra postazione: il documento non è stato memorizzato\.\n"
                     r"Il file \S+IT01234567897_0000[12]\.xml scritto per il documento è stato "
                     r"eliminato")


def run_notes(work):
    """Two workstations import ALFA's delivery notes 12 and 13 into an invoice each and write its
    e-invoice. The company is held until both wait to write their files, so that both imported
    the notes before either posts. One invoice is stored with both notes; the other posting is
    refused, naming a note, writes nothing, and its e-invoice goes. (The refused workstation's
    script stops at the refusal, whose box takes the answer meant for the printing question.)"""
    drive, company = make_drive(work, "notes", "--einvoices-all", "1")
    holder = os.fdopen(os.open(os.path.join(company, "qorvana.lck"), os.O_RDWR | os.O_CREAT), "r+b")
    fcntl.lockf(holder, fcntl.LOCK_EX | fcntl.LOCK_NB)
    programs = [start(work, drive, f"notes{p + 1}", NOTES_SCRIPT.format(number=5 + p))
                for p in range(2)]
    outputs = [[], []]
    waiting = threading.Barrier(2, action=holder.close)

    def follow(p):
        for line in programs[p].stdout:
            outputs[p].append(line)
            if BUSY in line and waiting.n_waiting + waiting.broken < 2:
                waiting.wait(timeout=60)
        programs[p].wait()

    followers = [threading.Thread(target=follow, args=(p,)) for p in range(2)]
    for f in followers:
        f.start()
    for f in followers:
        f.join()
    outs = ["".join(o) for o in outputs]
    for p, out in enumerate(outs):
        with open(os.path.join(work, f"notes{p + 1}.out"), "w") as f:
            f.write(out)
    posted = [p for p, out in enumerate(outs) if PRINT_QUESTION in out]
    refused = [p for p, out in enumerate(outs) if REFUSED.search(out)]
    if len(posted) != 1 or len(refused) != 1 or posted == refused:
        fail(f"notes: posted by {posted}, refused by {refused}:\n" + "\n".join(
            o[-1500:] for o in outs))
    fte = records("qorvana.fte", 522, company)
    heads = [r for r in records("qorvana.bol", 97, company) if word(r, 83) == 1 and word(r, 87) == 1]
    if len(fte) != 1 or counter(7, 1, company) != 1 or len(records("qorvana.gio", 296, company)) != 1:
        fail(f"notes: {len(fte)} documents and {counter(13, 1, company)} journal entries stored")
    elif abs(sum(dbl(fte[0], 94 + 8 * i) for i in range(8)) - 1598.50) > 0.005:
        fail(f"notes: invoice of {sum(dbl(fte[0], 94 + 8 * i) for i in range(8))} taxable")
    if [word(r, 93) for r in heads if word(r, 0) in (12, 13)] != [1, 1]:
        fail("notes: notes 12 and 13 not marked invoiced once")
    xmls = sorted(os.listdir(os.path.join(company, "fatturepa")))
    if len(xmls) != 1:
        fail(f"notes: e-invoice files {xmls}")
    for problem in disagreements(company):
        fail(f"notes: e-invoice disagrees: {problem}")


def main():
    if not 2 <= PROCESSES <= len(CUSTOMERS):
        sys.exit(f"from 2 to {len(CUSTOMERS)} processes")
    work = tempfile.mkdtemp(prefix="qorvana-workstations.")
    keep = os.environ.get("QORVANA_KEEP") == "1"
    started = time.monotonic()
    try:
        busy = {}
        def busy_company():
            try:
                busy["asked"] = run_busy(work)
            except Exception as e:  # reported with the other failures
                fail(f"busy company: {e!r}")

        waiter = threading.Thread(target=busy_company)
        waiter.start()
        postings, renumbered = run_workstations(work)
        waiter.join()
        run_notes(work)
    finally:
        if keep:
            print(f"work folder: {work}")
        else:
            shutil.rmtree(work, ignore_errors=True)
    for f in failures:
        print("FAIL:", f, file=sys.stderr)
    print(f"workstations: {PROCESSES} processes x {ROUNDS} rounds, {postings} postings reported, "
          f"{renumbered} renumbered, {len(failures)} problems; busy company asked after "
          f"{busy.get('asked') or 0:.1f} s; {time.monotonic() - started:.1f} s in all")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env bash
# Files written by registering the invoice of registration_invoice.qrs, read with record-dump:
# the four accounts' running totals, journal counter 13 and journal record 1.
set -euo pipefail
cd "$COMPANY"
"$RECORD_DUMP" qorvana.con >con.txt
"$RECORD_DUMP" qorvana.gio >gio.txt
"$RECORD_DUMP" qorvana.tot --from 13 --to 13 >tot.txt
python3 - <<'PY'
import re, sys
def records(path):
    out, rec = [], None
    for line in open(path, encoding="utf-8"):
        if line.startswith("--- record"):
            rec = {}
            out.append(rec)
        elif rec is not None:
            m = re.match(r"\s*\d+\s+(\w+)\s+\d+\s+(.*)$", line)
            if m:
                rec[m.group(1)] = m.group(2).strip().strip('"')
    return out
def check(what, got, want):
    if got != want:
        sys.exit(f"{what}: {got!r}, expected {want!r}")

totals = {r["code"]: (r["debit"], r["credit"]) for r in records("con.txt")}
check("customer ARCO", totals["01020003"], ("1020", "0"))
check("withholding", totals["01040001"], ("200", "0"))
check("revenue", totals["05010001"], ("0", "1000"))
check("VAT", totals["03020001"], ("0", "220"))
check("untouched", totals["01020001"], ("0", "0"))

counter = records("tot.txt")[0]
check("journal count", counter["word1"], "1")
check("journal word 2", counter["word2"], "1")
gio = records("gio.txt")
check("journal records", len(gio), 1)
g = gio[0]
check("date", g["date"], "20261206")
check("description", g["description"], "Fattura n. 1 del 06/12/2026 - ARCO")
check("reference", g["reference"], "FT 1/2026")
check("posted at", abs(float(g["postedAt"]) - (46362 + 10 / 24)) < 1e-9, True)
check("mark", g["mark"], "1")
want = [("0", "01020003", "1020"), ("0", "01040001", "200"), ("1", "05010001", "1000"),
        ("1", "03020001", "220")] + [("0", "", "0")] * 6
for k, w in enumerate(want):
    check(f"line {k}", (g[f"side{k}"], g[f"account{k}"], g[f"amount{k}"]), w)
PY

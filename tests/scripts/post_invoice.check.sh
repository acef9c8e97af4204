#!/usr/bin/env bash
# Files written by posting the invoice of post_invoice.qrs (customer ARCO, record 2):
# document 1 with its continuation, counters, two "FT" movements and the line file f1.
set -euo pipefail
python3 - "$COMPANY" <<'PY'
import os, struct, sys
folder = sys.argv[1]
def records(ext, length):
    data = open(os.path.join(folder, "qorvana." + ext), "rb").read()
    assert len(data) % length == 0, ext
    return [data[i:i + length] for i in range(0, len(data), length)]
def word(r, at): return struct.unpack_from("<h", r, at)[0]
def dbl(r, at): return struct.unpack_from("<d", r, at)[0]
def text(r, at, n): return r[at:at + n].decode("cp1252").rstrip(" \0")
def check(what, got, want):
    if got != want:
        sys.exit(f"{what}: {got!r}, expected {want!r}")

fte = records("fte", 522)
check("documents", len(fte), 1)
d = fte[0]
check("customer", word(d, 0), 2)
check("number", text(d, 2, 10), "1")
check("document date", text(d, 22, 8), "20261206")
check("kind", word(d, 350), 0)
check("taxable 22%", dbl(d, 94), 30.0)
check("taxable 10%", dbl(d, 102), 200.0)
check("VAT 22%", dbl(d, 158), 6.6)
check("VAT 10%", dbl(d, 166), 20.0)
check("issue moment", dbl(d, 444), 46362 + 10 / 24)
check("serial", struct.unpack_from("<f", d, 455)[0], 1.0)
f2e = records("f2e", 838)
check("continuations", len(f2e), 1)
check("marker", word(f2e[0], 0), 999)
check("word 526", word(f2e[0], 526), 1)
check("PDF path", text(f2e[0], 338, 60), "\\QORWIN\\PDF\\ftr1.pdf")

tot = records("tot", 12)
check("document counter", word(tot[6], 0), 1)
check("last number", word(tot[6], 6), 1)
check("movement counter", word(tot[10], 0), 2)

mag = records("mag", 94)
check("movements", len(mag), 2)
for m, article, quantity, price in ((mag[0], 3, 3.0, 10.0), (mag[1], 12, 2.0, 100.0)):
    check("reference", text(m, 50, 12), "FT 1")
    check("counterpart", text(m, 8, 40), "ARCO")
    check("article", word(m, 70), article)
    check("quantity", dbl(m, 74), quantity)
    check("net price", dbl(m, 82), price)

lines = open(os.path.join(folder, "f1"), "rb").read().split(b"\r\n")
check("line file lines", len(lines) - 1, 15 + 5000)
check("header", lines[:15], [b" 2 ", b" 0 ", b"", b"", b"", b"17,24", b"06/12/2026", b"10:00",
                             b" 0 ", b" 0 ", b"0", b"0", b"1", b"06/12/2026", b"06/12/2026"])
check("block 1 article", lines[15], b" 3 ")
check("block 1 quantity", lines[23], b" 3 ")
check("block 2 price", lines[34], b" 100 ")
check("block 3 empty", lines[35:45], [b" 0 ", b" " * 15, b" " * 15, b" " * 60, b"  ", b" 0 ", b" 0 ", b" 0 ", b" 0 ", b" 0 "])
PY
echo "post_invoice: files checked"

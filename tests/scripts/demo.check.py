# The files of the demo's invoice to ARCO: the document, counters, movements, line file, PDF,
# e-invoice and the registered entry.
import os
import struct
from check_lib import (PRINT, check, counter, dbl, einvoice, pdf_text, read, records, text,
                       values, word)

fte = records("qorvana.fte", 522)
check("documents", len(fte), 1)
d = fte[0]
check("customer, number, date, kind", (word(d, 0), text(d, 2, 10), text(d, 22, 8), word(d, 350)),
      (2, "1", "20261206", 0))
check("taxable 22% and 10%, their VAT", [dbl(d, at) for at in (94, 102, 158, 166)],
      [30.0, 200.0, 6.6, 20.0])
check("issue moment", dbl(d, 444), 46362 + 10 / 24)
check("serial", struct.unpack_from("<f", d, 455)[0], 1.0)
f2e = records("qorvana.f2e", 838)
check("continuation", (len(f2e), word(f2e[0], 0), word(f2e[0], 526), text(f2e[0], 338, 60)),
      (1, 999, 1, "\\QORWIN\\PDF\\ftr1_2026.pdf"))
check("document counter, last number", (counter(7, 1), counter(7, 4)), (1, 1))
check("movement counter", counter(11, 1), 2)
mag = records("qorvana.mag", 94)
check("movements", [(text(m, 50, 12), text(m, 8, 40), word(m, 70), dbl(m, 74), dbl(m, 82))
                    for m in mag], [("FT 1", "ARCO", 3, 3.0, 10.0), ("FT 1", "ARCO", 12, 2.0, 100.0)])
lines = read("f1").split(b"\r\n")
check("line file lines", len(lines) - 1, 15 + 5000)
check("header", lines[:15], [b" 2 ", b" 0 ", b"", b"", b"2", b"17,24", b"06/12/2026", b"10:00",
                             b" 0 ", b" 0 ", b"0", b"0", b"1", b"06/12/2026", b"06/12/2026"])
check("block 1 article, quantity; block 2 price", (lines[15], lines[23], lines[34]),
      (b" 3 ", b" 3 ", b" 100 "))
check("block 3 empty", lines[35:45], [b" 0 ", b" " * 15, b" " * 15, b" " * 60, b"  "] + [b" 0 "] * 5)
printed = pdf_text(os.path.join(PRINT, "print-1.pdf"))
check("printed PDF", [w in printed for w in ("FATTURA", "ARCO", "Radiatore", "256,60")], [True] * 4)
check("courtesy copy", "Copia di cortesia: la fattura è il file XML trasmesso al Sistema di Interscambio"
      in " ".join(printed.split()), True)

# The e-invoice of the demo's invoice: FPR12 to ARCO's recipient code.
xml = einvoice("IT01234567897_00001.xml")
check("e-invoice", (xml.get("versione"),
                    values(xml, "FatturaElettronicaHeader/DatiTrasmissione/CodiceDestinatario"),
                    values(xml, "FatturaElettronicaBody/DatiGenerali/DatiGeneraliDocumento/*")[:4],
                    values(xml, "FatturaElettronicaBody/DatiGenerali/DatiGeneraliDocumento/ImportoTotaleDocumento")),
      ("FPR12", ["M5UXCR1"], ["TD01", "EUR", "2026-12-06", "1"], ["256.60"]))

# Accounts: code at 0, running debit and credit totals at 58 and 66.
totals = {text(r, 0, 10): (dbl(r, 58), dbl(r, 66)) for r in records("qorvana.con", 150)}
check("accounts", [totals[c] for c in ("01020003", "05010001", "03020001", "01020001")],
      [(256.6, 0.0), (0.0, 230.0), (0.0, 26.6), (0.0, 0.0)])
check("journal counter", (counter(13, 1), counter(13, 2)), (1, 1))
gio = records("qorvana.gio", 296)
check("journal records", len(gio), 1)
g = gio[0]
check("date, description, reference, mark",
      (text(g, 0, 8), text(g, 8, 40), text(g, 50, 20), text(g, 262, 1)),
      ("20261206", "Fattura n. 1 del 06/12/2026 - ARCO", "", "1"))
check("posted at", abs(dbl(g, 254) - (46362 + 10 / 24)) < 1e-9, True)
# Line k at 70 + 18k: side, account code, amount.
want = [(0, "01020003", 256.6), (1, "05010001", 230.0), (1, "03020001", 26.6)]
check("lines", [(word(g, 70 + 18 * k), text(g, 72 + 18 * k, 8), dbl(g, 80 + 18 * k))
                for k in range(10)], want + [(0, "", 0.0)] * 7)

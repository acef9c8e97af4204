# The files of posting.qrs: documents, counters, movements, instalments, imports, prints.
import glob
import os
from check_lib import DRIVE, PRINT, check, counter, dbl, pdf_text, read, records, text, word

fte = records("qorvana.fte", 522)
check("customer, number, kind", [(word(d, 0), text(d, 2, 10), word(d, 350)) for d in fte],
      [(2, "41", 0), (2, "45", 0), (9, "8", 7), (2, "46", 1), (1, "47", 0), (1, "48", 0),
       (1, "49", 0), (1, "50", 0), (2, "1", 0)])
check("commission rate", text(fte[1], 402, 4), "12,5")
check("banks, series", [word(fte[1], at) for at in (12, 414, 416, 442)], [4, 5, 6, 2])
check("commission, additional amounts", [dbl(fte[1], at) for at in (406, 418, 426)],
      [15.75, 7.5, 2.25])
check("VAT options", (text(fte[1], 452, 3), fte[1][459:463]), ("101", b"1 00"))
check("deferred-VAT limit", text(records("qorvana.f2e", 838)[1], 572, 6), "122027")
check("credit note's kind in its line file", read("f4").split(b"\r\n")[1], b" 1 ")
check("VAT register numbers", [dbl(d, 434) for d in fte], [41, 77, 8, 46, 47, 48, 49, 50, 1])
check("documents counted", counter(7, 1), 9)
check("last year's late invoice", text(fte[8], 22, 8), "20251230")
check("last ordinary number", counter(7, 4), 1)
check("last electronic number", counter(5, 4), 8)
check("movements counted", counter(11, 1), 4)
check("movements", [(text(m, 50, 12), word(m, 70), dbl(m, 74)) for m in records("qorvana.mag", 94)],
      [("FT 41", 3, 3.0), ("FT 45", 12, 1.0), ("FT 8", 3, 1.0), ("NC 46", 3, -3.0)])
for d, terms, dates, amounts in (
        (fte[4], "6", ["20270131", "20270228", "", ""], [50.0, 50.0, 0.0, 0.0]),
        (fte[5], "3", ["20270106", "20270206", "20270306", ""], [33.34, 33.32, 33.33, 0.0])):
    check("registration and document date", (text(d, 14, 8), text(d, 22, 8)), ("20261206",) * 2)
    check("payment condition", text(d, 356, 40), terms)
    check("due dates", [text(d, 30 + 8 * i, 8) for i in range(4)], dates)
    check("amounts", [dbl(d, 286 + 8 * i) for i in range(4)], amounts)
    check("bank receipt", word(d, 352), 1)
# Notes 12 and 13 of ALFA marked invoiced (offset 93), besides note 14 already invoiced.
notes = records("qorvana.bol", 97)
check("notes invoiced", sorted(word(r, 0) for r in notes if word(r, 83) == 1 and word(r, 93) == 1),
      [12, 13, 14])
check("their invoice's DDT", read("f7").split(b"\r\n")[2], b"12 13")
check("receipts open", {text(r, 2, 10): word(r, 350) for r in records("qorvana.ric", 522)},
      {"5": 0, "6": 1, "4": 0})

# Printed twice: invoice 41 and its reprint.
image = open(os.path.join(DRIVE, "qordoc.rto"), "rb").read()
check("print image lines", (b"\nLED-E27-10W" in image, b"\nRAD-600" in image), (True, False))
# The document's own image goes once qorxpdf has ended (the replay waits for it).
check("the document's own image removed", os.path.exists(os.path.join(DRIVE, "qordoc1.rto")),
      False)
check("printed", sorted(os.listdir(PRINT)), ["picker_notes.png", "print-1.pdf", "print-2.pdf"])

check("the reprint", pdf_text(os.path.join(PRINT, "print-2.pdf")),
      pdf_text(os.path.join(PRINT, "print-1.pdf")))

pdf = os.path.join(DRIVE, "qorwin", "PDF", "ftr41_2026.pdf")
check("ftr41_2026.pdf has line 1",
      "Lampadina LED E27 10 W luce calda" in pdf_text(pdf, detached=True), True)
check("other PDFs", glob.glob(os.path.join(DRIVE, "qorwin", "PDF", "*")), [pdf])

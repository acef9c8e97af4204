# The files of the demo's invoice to ARCO, where the other scripts do not look: the clock and
# serial stored, the line file whole with the start form's transport data, the courtesy copy,
# the e-invoice by the recipient's code and the registered entry's record. (Documents, counters,
# movements and PDFs: posting.check.py; totals against the e-invoice: einvoice_agreement.py;
# account totals and entry lines: registration_form.check.py and workstations.py.)
import os
import struct
from check_lib import PRINT, check, dbl, einvoice, pdf_text, read, records, text, values

d = records("qorvana.fte", 522)[0]
check("issue moment", dbl(d, 444), 46362 + 10 / 24)
check("serial", struct.unpack_from("<f", d, 455)[0], 1.0)
lines = read("f1").split(b"\r\n")
check("line file lines", len(lines) - 1, 15 + 5000)
check("header", lines[:15], [b" 2 ", b" 0 ", b"", b"", b"2", b"17,24", b"06/12/2026", b"10:00",
                             b" 0 ", b" 0 ", b"0", b"0", b"1", b"06/12/2026", b"06/12/2026"])
check("block 1 article, quantity; block 2 price", (lines[15], lines[23], lines[34]),
      (b" 3 ", b" 3 ", b" 100 "))
check("block 3 empty", lines[35:45], [b" 0 ", b" " * 15, b" " * 15, b" " * 60, b"  "] + [b" 0 "] * 5)
printed = pdf_text(os.path.join(PRINT, "print-1.pdf"))
check("courtesy copy", "Copia di cortesia: la fattura è il file XML trasmesso al Sistema di Interscambio"
      in " ".join(printed.split()), True)

xml = einvoice("IT01234567897_00001.xml")
check("e-invoice", (xml.get("versione"),
                    values(xml, "FatturaElettronicaHeader/DatiTrasmissione/CodiceDestinatario")),
      ("FPR12", ["M5UXCR1"]))

g = records("qorvana.gio", 296)[0]
check("date, description, reference, mark",
      (text(g, 0, 8), text(g, 8, 40), text(g, 50, 20), text(g, 262, 1)),
      ("20261206", "Fattura n. 1 del 06/12/2026 - ARCO", "", "1"))
check("posted at", abs(dbl(g, 254) - (46362 + 10 / 24)) < 1e-9, True)

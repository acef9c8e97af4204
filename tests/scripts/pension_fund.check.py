# What pension_fund.qrs left: the contribution on paper, in the records and the line file, in
# the journal, and in the e-invoice as DatiCassaPrevidenziale (valid: schema and qorvana-check).
import os
import re

from check_lib import COMPANY, PRINT, check, dbl, einvoice, pdf_text, records, values

printed = pdf_text(os.path.join(PRINT, "print-1.pdf"), "-layout")
check("printed line", [l.split() for l in printed.splitlines() if "Contributo integrativo" in l],
      [["Contributo", "integrativo", "4", "%", "40,00", "40,00", "40,00", "22"]])
check("printed totals", re.findall(r"(?:Totale documento|Netto a pagare)\s+([\d.,]+)", printed),
      ["1.268,80", "1.068,80"])

# The document record: code 1 (22 %) holds the contribution, code 5 the fees.
document = records("qorvana.fte", 522)[0]
check("stored amounts", [dbl(document, 94), dbl(document, 158), dbl(document, 126),
                         dbl(document, 190)], [40.0, 8.8, 1000.0, 220.0])
# The line file keeps the contribution as the last line, told by its reference.
with open(os.path.join(COMPANY, "f1"), "rb") as f:
    blocks = f.read().decode("cp1252").split("\r\n")[15:]
check("line file", [(blocks[n * 10 + 1].strip(), blocks[n * 10 + 3].strip(), blocks[n * 10 + 9])
                    for n in range(3)],
      [("", "Progettazione impianto elettrico", " 800 "), ("", "Direzione lavori", " 200 "),
       ("CASSA TC04", "Contributo integrativo 4 %", " 40 ")])

# The declaration of intent kept with ARCO's e-invoice data (qorvana.fec version 3).
with open(os.path.join(COMPANY, "qorvana.fec"), "rb") as f:
    fec = f.read().decode("cp1252").split("\r\n")
check("declaration", [fec[0]] + [l.split("\t")[-2:] for l in fec[1:] if l.endswith("2026")],
      ["QORVANA-FEC\t3", ["08060120341234567-000001", "15/01/2026"]])

F = "FatturaElettronicaBody/DatiGenerali/DatiGeneraliDocumento/"
xml = einvoice("IT01234567897_00001.xml")
check("DatiCassaPrevidenziale", values(xml, F + "DatiCassaPrevidenziale/*"),
      ["TC04", "4.00", "40.00", "1000.00", "22.00"])
check("withholding", values(xml, F + "DatiRitenuta/*"), ["RT01", "200.00", "20.00", "A"])
check("lines", values(xml, "FatturaElettronicaBody/DatiBeniServizi/DettaglioLinee/Descrizione"),
      ["Progettazione impianto elettrico", "Direzione lavori"])
check("summary", values(xml, "FatturaElettronicaBody/DatiBeniServizi/DatiRiepilogo/*"),
      ["22.00", "1040.00", "228.80", "I"])
check("total", values(xml, F + "ImportoTotaleDocumento"), ["1268.80"])

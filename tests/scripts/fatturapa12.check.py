# The files of fatturapa12.qrs: both accepted by qorvana-check; kind 7; TD04 moved stock back.
import os
import subprocess
from check_lib import COMPANY, check, dbl, records, text, word, xml_has

folder = os.path.join(COMPANY, "fatturepa")
first, second = (os.path.join(folder, f"IT01234567897_0000{n}.xml") for n in (1, 2))
subprocess.run([os.environ["QORVANA_CHECK"], first, second], check=True)
xml_has(first, ['versione="FPA12"', "<Numero>15/2026</Numero>", "<Percentuale>10.00</Percentuale>",
                "<Percentuale>5.00</Percentuale>", "<PrezzoTotale>2.57</PrezzoTotale>",
                "<Descrizione>Diritto di chiamata</Descrizione>\r\n        <PrezzoUnitario>"])
xml_has(second, ["<PrezzoUnitario>8.19672131</PrezzoUnitario>\r\n        <PrezzoTotale>24.59</PrezzoTotale>",
                 "<ImponibileImporto>24.59</ImponibileImporto>\r\n        <Imposta>5.41</Imposta>",
                 "<ImportoTotaleDocumento>30.00</ImportoTotaleDocumento>"])
check("kinds", [word(d, 350) for d in records("qorvana.fte", 522)], [7, 7])
mag = records("qorvana.mag", 94)
check("movements", [(text(m, 50, 3), dbl(m, 74)) for m in mag], [("NC", -4.0)])

# The stored invoice's e-invoice is listed to send; with einvoices.sh's setting it goes at once.
with open(os.path.join(COMPANY, "qorvana.sdi"), encoding="cp1252") as f:
    listed = [line.rstrip("\r\n").split("\t") for line in f]
check("listed", [l[1] for l in listed if l[0] == "F"],
      ["IT01234567897_00001.xml"])
sent = [l[3] for l in listed if l[0] == "I"]
if os.environ.get("SDI_SENT_ON_CONFIRM"):
    check("sent on confirmation", sent, ["IT01234567897_00001.xml.p7m"])
    mail = os.path.join(os.environ["SDI_MAIL"], "new")
    arrived = [n for n in os.listdir(mail) if b"IT01234567897_00001.xml.p7m" in open(os.path.join(mail, n), "rb").read()]
    check("arrived", len(arrived), 1)
else:
    check("not sent", sent, [])

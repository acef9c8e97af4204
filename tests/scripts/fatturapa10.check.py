# The first invoice of fatturapa10.qrs: its XML file (schema 1.0), the transmission counter
# and the archive record; the second file took the next progressive.
import os
import subprocess
from check_lib import COMPANY, check, counter, read, xml_has

folder = os.path.join(COMPANY, "fatturepa")
check("files", sorted(os.listdir(folder)), ["IT01234567897_152026.xml", "IT01234567897_16.xml"])
xml = os.path.join(folder, "IT01234567897_152026.xml")
subprocess.run(["bash", os.path.join(os.path.dirname(__file__), "../fatturapa/validate_v10.sh"), xml],
               check=True)
text = xml_has(xml, ["<ProgressivoInvio>1</ProgressivoInvio>", "<Numero>15/2026</Numero>",
                     "<Descrizione>Manutenzione impianti &amp; quadri &lt;BT&gt;</Descrizione>",
                     "<PrezzoTotale>162.00</PrezzoTotale>",
                     "<IdDocumento>ORD 77</IdDocumento>", "<CodiceCIG>Z1234567890</CodiceCIG>"])
check("ScontoMaggiorazione blocks", text.count("<ScontoMaggiorazione>"), 2)
second = xml_has(os.path.join(folder, "IT01234567897_16.xml"),
                 ["<ProgressivoInvio>2</ProgressivoInvio>", "<NumeroDDT>DDT 15</NumeroDDT>",
                  "<DataDDT>2026-12-05</DataDDT>",
                  "<IdDocumento>CTR 9</IdDocumento>\r\n        <CodiceCUP>J11B12000040001</CodiceCUP>"])
check("no carrier beside the DDT", "<DatiTrasporto>" in second, False)
check("transmission counter", counter(5, 1), 2)
archive = read("fpa1")
check("archive length", len(archive), 2421)
check("archived progressive", archive[849:855].decode("cp1252").strip(), "1")
check("archived number", archive[723:743].decode("cp1252").strip(), "15/2026")

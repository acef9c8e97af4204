# The files of einvoice_changes.qrs say what the stored documents say (einvoice_agreement.py,
# run after every script, compares number, date, total, terms and customer); here, that they
# are valid, that the operator was told of each file written again, and that the refused
# document left no file.
import os

from check_lib import COMPANY, check, einvoice, messages

for n in (1, 2, 3):
    einvoice(f"IT01234567897_0000{n}.xml")  # valid for the schema and the exchange system
folder = os.path.join(COMPANY, "fatturepa")
check("files left", sorted(os.listdir(folder)),
      [f"IT01234567897_0000{n}.xml" for n in (1, 2, 3)])
said = [text for _, text, _ in messages()]
xml = "\\qorwin\\qorwin\\qoraz0.001\\fatturepa\\IT01234567897_0000"
check("leading zero refused", "Il numero 01 è già stato usato nel 2026 per il documento n. 1 del "
      "06/12/2026, cliente ALFA: correggere il numero del documento.\nIl file " + xml +
      "3.xml scritto per il documento è stato eliminato: sarà scritto di nuovo alla conferma."
      in said, True)
check("rewritten told", sum("è stato scritto di nuovo" in t for t in said), 2)
check("refusal told", any(t.startswith("I contatori di qorvana.tot sono indietro") and
                          t.endswith(xml + "4.xml scritto per il documento è stato "
                                     "eliminato: sarà scritto di nuovo alla conferma.")
                          for t in said), True)

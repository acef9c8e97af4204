# The files of einvoice_changes.qrs say what the stored documents say (einvoice_agreement.py
# compares every field); here, that each change reached its file and the refused one left none.
import os

from check_lib import COMPANY, check, einvoice, messages, values

G = "FatturaElettronicaBody/DatiGenerali/DatiGeneraliDocumento/"
P = "FatturaElettronicaBody/DatiPagamento/"
terms, lines, header = (einvoice(f"IT01234567897_0000{n}.xml") for n in (1, 2, 3))
check("terms chosen", (terms.findtext(P + "CondizioniPagamento"),
                       values(terms, P + "DettaglioPagamento/ModalitaPagamento")),
      ("TP02", ["MP05"]))
check("lines changed", lines.findtext(G + "ImportoTotaleDocumento"), "244.00")
check("header changed", (header.findtext(G + "Numero"),
                         values(header, P + "DettaglioPagamento/ModalitaPagamento")),
      ("7", ["MP01"]))
folder = os.path.join(COMPANY, "fatturepa")
check("files left", sorted(os.listdir(folder)),
      [f"IT01234567897_0000{n}.xml" for n in (1, 2, 3)])
said = [text for _, text, _ in messages()]
check("rewritten told", sum("è stato scritto di nuovo" in t for t in said), 2)
check("refusal told", any(t.startswith("I contatori di qorvana.tot sono indietro") and
                          t.endswith("IT01234567897_00004.xml scritto per il documento è stato "
                                     "eliminato: sarà scritto di nuovo alla conferma.")
                          for t in said), True)

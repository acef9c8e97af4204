# The files of einvoices_all.qrs, each valid for the 1.2.3 schema and the program's checks,
# with the values that tell the recipient kind and the document's content.
import os
from check_lib import COMPANY, check, einvoice, messages, values

T = "FatturaElettronicaHeader/DatiTrasmissione/"
C = "FatturaElettronicaHeader/CessionarioCommittente/"
G = "FatturaElettronicaBody/DatiGenerali/"
S = "FatturaElettronicaBody/DatiBeniServizi/DatiRiepilogo/"


def recipient(root):
    return (root.get("versione"), root.findtext(T + "FormatoTrasmissione"),
            root.findtext(T + "CodiceDestinatario"), root.findtext(T + "PECDestinatario"))


files = [einvoice(f"IT01234567897_0000{n}.xml") for n in range(1, 8)]
foreign, pec, consumer, deferred, split, stamp, credit = files

check("foreign", (recipient(foreign), values(foreign, C + "DatiAnagrafici/IdFiscaleIVA/*"),
                  foreign.findtext(C + "DatiAnagrafici/CodiceFiscale"),
                  values(foreign, C + "Sede/*")),
      (("FPR12", "FPR12", "XXXXXXX", None), ["DE", "123456789"], None,
       ["Via del Porto 21", "00000", "Venezia", "DE"]))
check("certified mail", recipient(pec), ("FPR12", "FPR12", "0000000", "nordica@pec.it"))
check("consumer", (recipient(consumer), foreign.find(C + "DatiAnagrafici/IdFiscaleIVA") is not None,
                   consumer.find(C + "DatiAnagrafici/IdFiscaleIVA"),
                   consumer.findtext(C + "DatiAnagrafici/CodiceFiscale")),
      (("FPR12", "FPR12", "0000000", None), True, None, "RSSMRA80A01L781K"))
check("deferred invoice", (deferred.findtext(G + "DatiGeneraliDocumento/TipoDocumento"),
                           [(d.findtext("NumeroDDT"), d.findtext("DataDDT"),
                             values(d, "RiferimentoNumeroLinea")) for d in deferred.findall(G + "DatiDDT")]),
      ("TD24", [("12", "2025-03-05", ["2", "3", "4"]), ("13", "2025-03-10", ["6", "7"])]))
check("split payment", (recipient(split), values(split, S + "EsigibilitaIVA"),
                        split.findtext(G + "DatiGeneraliDocumento/ImportoTotaleDocumento"),
                        values(split, "FatturaElettronicaBody/DatiPagamento/DettaglioPagamento/ImportoPagamento")),
      (("FPA12", "FPA12", "UFH7Q2", None), ["S"], "122.00", ["100.00"]))
check("stamp duty", (values(stamp, G + "DatiGeneraliDocumento/DatiBollo/*"),
                     values(stamp, S + "Imposta")),
      (["SI", "2.00"], ["0.00"]))
check("credit note", (credit.findtext(G + "DatiGeneraliDocumento/TipoDocumento"),
                      values(credit, G + "DatiFattureCollegate/*"),
                      credit.findtext(G + "DatiGeneraliDocumento/ImportoTotaleDocumento")),
      ("TD04", ["1", "2026-12-06"], "36.60"))

# The customers' e-invoice data as the window left them: BORDO's foreign identifier added.
with open(os.path.join(COMPANY, "qorvana.fec"), "rb") as f:
    check("customers' data", f.read().decode("cp1252").split("\r\n"),
          ["QORVANA-FEC\t1", "2\tM5UXCR1\t\t0\t", "3\t\tnordica@pec.it\t0\t",
           "4\t\t\t0\t123456789", "9\t\t\t1\t", ""])

# NODO's missing postcode was told when its document was to start, and it did not start.
check("data missing", [m for m in messages() if m[1].startswith("Per la fattura elettronica")],
      [("Attenzione", "Per la fattura elettronica mancano i dati del cliente:\n- il CAP della sede "
        "(5 cifre)\nCompletarli nella scheda del cliente o con \"Dati fattura elettronica\". "
        "Iniziare ugualmente il documento?", "No")])

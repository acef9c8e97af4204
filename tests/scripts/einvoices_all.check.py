# The files of einvoices_all.qrs: valid, each with its recipient kind and content.
import os

from check_lib import COMPANY, PRINT, check, dbl, einvoice, messages, pdf_text, records, values

T = "FatturaElettronicaHeader/DatiTrasmissione/"
C = "FatturaElettronicaHeader/CessionarioCommittente/"
G = "FatturaElettronicaBody/DatiGenerali/"
S = "FatturaElettronicaBody/DatiBeniServizi/DatiRiepilogo/"


def recipient(root):
    return (root.get("versione"), root.findtext(T + "FormatoTrasmissione"),
            root.findtext(T + "CodiceDestinatario"), root.findtext(T + "PECDestinatario"))


files = [einvoice(f"IT01234567897_0000{n}.xml") for n in range(1, 10)]
foreign, pec, consumer, deferred, split, stamp, credit, copied, pa_credit = files

check("foreign", (recipient(foreign), values(foreign, C + "DatiAnagrafici/IdFiscaleIVA/*"),
                  foreign.findtext(C + "DatiAnagrafici/CodiceFiscale"),
                  values(foreign, C + "Sede/*")),
      (("FPR12", "FPR12", "XXXXXXX", None), ["DE", "123456789"], None,
       ["Via del Porto 21", "00000", "Venezia", "DE"]))
check("certified mail", recipient(pec), ("FPR12", "FPR12", "0000000", "nordica@pec.it"))
check("consumer", (recipient(consumer), foreign.find(C + "DatiAnagrafici/IdFiscaleIVA") is not None,
                   consumer.find(C + "DatiAnagrafici/IdFiscaleIVA"),
                   consumer.findtext(C + "DatiAnagrafici/CodiceFiscale"),
                   values(consumer, C + "DatiAnagrafici/Anagrafica/*")),
      (("FPR12", "FPR12", "0000000", None), True, None, "RSSMRA80A01L781K", ["Mario", "Rossi"]))
# Both name lines of the card make the legal name.
check("legal name", values(pec, C + "DatiAnagrafici/Anagrafica/Denominazione"),
      ["NORDICA Impianti Termici S.n.c."])
# The account of each payment: a Ri.Ba. at the customer's bank, a transfer into the company's.
P = "FatturaElettronicaBody/DatiPagamento/DettaglioPagamento/"
check("Ri.Ba.", (values(pec, P + "ModalitaPagamento"), values(pec, P + "ABI"),
                 [len(c) for c in values(pec, P + "CAB")], values(pec, P + "IBAN")),
      (["MP12"], ["05034"], [5], []))
check("transfer", (values(split, P + "ModalitaPagamento"), values(split, P + "IBAN")),
      (["MP05"], ["IT60X0542811101000000123456"]))
check("deferred invoice", (deferred.findtext(G + "DatiGeneraliDocumento/TipoDocumento"),
                           [(d.findtext("NumeroDDT"), d.findtext("DataDDT"),
                             values(d, "RiferimentoNumeroLinea")) for d in deferred.findall(G + "DatiDDT")]),
      ("TD24", [("12", "2025-03-05", ["2", "3", "4"]), ("13", "2025-03-10", ["6", "7"])]))
# Totals and amounts due against the stored documents: einvoice_agreement.py (split payment: the
# amount due without VAT, 100,00 of 122,00, shown in the header above).
check("split payment", (recipient(split), values(split, S + "EsigibilitaIVA")),
      (("FPA12", "FPA12", "UFH7Q2", None), ["S"]))
# The stamp duty charged: an N1 line and summary, in every total, stored and printed.
L = "FatturaElettronicaBody/DatiBeniServizi/DettaglioLinee/"
check("stamp duty", (values(stamp, G + "DatiGeneraliDocumento/DatiBollo/*"),
                     values(stamp, L + "Descrizione"), values(stamp, L + "Natura"),
                     [(r.findtext("Natura"), r.findtext("ImponibileImporto"), r.findtext("Imposta"))
                      for r in stamp.findall(S[:-1])]),
      (["SI", "2.00"], ["Corso di formazione", "Imposta di bollo"], ["N4", "N1"],
       [("N1", "2.00", "0.00"), ("N4", "150.00", "0.00")]))
stored = [r for r in records("qorvana.fte", 522) if dbl(r, 230) == 150]
check("stamp duty stored", [([dbl(r, 222 + 8 * i) for i in range(2)], dbl(r, 286)) for r in stored],
      [([2.0, 150.0], 152.0)])
printed = pdf_text(os.path.join(PRINT, "print-1.pdf"), "-layout")
check("stamp duty printed", [a in printed for a in ("2,00", "150,00", "152,00")], [True] * 3)
printed = " ".join(pdf_text(os.path.join(PRINT, "print-2.pdf")).split())
check("credit note's courtesy copy",
      "Copia di cortesia: la nota di credito è il file XML trasmesso al Sistema di Interscambio; "
      "rettifica la fattura n. 1 del 06/12/2026" in printed, True)
check("credit note", (credit.findtext(G + "DatiGeneraliDocumento/TipoDocumento"),
                      values(credit, G + "DatiFattureCollegate/*"),
                      credit.findtext(G + "DatiGeneraliDocumento/ImportoTotaleDocumento")),
      ("TD04", ["1", "2026-12-06"], "36.60"))
check("credit note copied from an invoice", (copied.findtext(G + "DatiGeneraliDocumento/TipoDocumento"),
                                             values(copied, G + "DatiFattureCollegate/*")),
      ("TD04", [pec.findtext(G + "DatiGeneraliDocumento/Numero"), "2026-12-06"]))
# A TD04 is a credit note: the duty is the company's, not charged to the administration.
check("TD04 not charged the stamp duty",
      (pa_credit.findtext(G + "DatiGeneraliDocumento/TipoDocumento"),
       values(pa_credit, G + "DatiGeneraliDocumento/DatiBollo/*"),
       values(pa_credit, L + "Descrizione"),
       pa_credit.findtext(G + "DatiGeneraliDocumento/ImportoTotaleDocumento")),
      ("TD04", ["SI", "2.00"], ["Corso annullato"], "160.00"))

# Each file joined the e-invoices to send as its document was stored, in its own format.
with open(os.path.join(COMPANY, "qorvana.sdi"), encoding="cp1252") as f:
    store = [line.rstrip("\r\n").split("\t") for line in f]
check("listed to send", [(l[1], l[7]) for l in store if l[0] == "F"],
      [(f"IT01234567897_0000{n}.xml", "FPA12" if n in (5, 9) else "FPR12") for n in range(1, 10)])
check("none sent", [l for l in store if l[0] in ("I", "N")], [])

# The customers' e-invoice data as the window left them: BORDO's foreign identifier added.
with open(os.path.join(COMPANY, "qorvana.fec"), "rb") as f:
    check("customers' data", f.read().decode("cp1252").split("\r\n"),
          ["QORVANA-FEC\t3", "2\tM5UXCR1\t\t0\t\t\t\t\t", "3\t\tnordica@pec.it\t0\t\t\t\t\t",
           "4\t\t\t0\t123456789\t\t\t\t", "7\t\t\t0\t\tMario\tRossi\t\t",
           "9\t\t\t1\t\t\t\t\t", ""])

# ALFA's 6-character code was questioned when saved, and not stored.
check("office code questioned", [m for m in messages() if m[1].startswith("Il codice destinatario \"UFH7Q2\"")],
      [("Attenzione", "Il codice destinatario \"UFH7Q2\" ha 6 caratteri, come il codice ufficio di "
        "una pubblica amministrazione, ma la scheda non indica il cliente come pubblica "
        "amministrazione: le sue fatture elettroniche non lo useranno (un'impresa ha un codice di "
        "7 caratteri).\nMemorizzare ugualmente i dati?", "No")])

# NODO's missing postcode, and the name of ROSSI MARIO, whose card holds one line, were told
# when their documents were to start, and they did not start.
missing = "Per la fattura elettronica mancano i dati del cliente:\n- %s\nCompletarli nella scheda " \
          "del cliente o con \"Dati fattura elettronica\". Iniziare ugualmente il documento?"
check("data missing", [m for m in messages() if m[1].startswith("Per la fattura elettronica")],
      [("Attenzione", missing % "il CAP della sede (5 cifre)", "No"),
       ("Attenzione", missing % "il nome e il cognome del cliente, persona fisica: la scheda non li "
        "distingue", "No")])

# GRANDI's wrong check digit was told before its invoice started, and it did not start.
check("identity warning", [m for m in messages() if m[1].startswith("Nella scheda del cliente")],
      [("Attenzione", "Nella scheda del cliente:\n- la partita IVA \"00215150230\" ha la cifra di "
        "controllo errata (l'ultima cifra non corrisponde alle altre: una cifra è sbagliata o "
        "scambiata) (00305)\nIl Sistema di Interscambio scarterà le sue fatture elettroniche "
        "finché la scheda non sarà corretta.\nEmettere ugualmente il documento?", "No")])

# Each file announced under the title of its kind: a business or consumer file is no PA one.
check("titles", [m[0] for m in messages() if "è stato creato" in m[1]],
      ["Fattura elettronica PA" if recipient(f)[1] == "FPA12" else "Fattura elettronica"
       for f in files])

# What einvoice_correction.qrs wrote: the corrected e-invoice, valid, with the recipient code as
# corrected and the stored document's number, date and amounts, under progressive 2.
from check_lib import check, einvoice, messages, values

xml = einvoice("IT01234567897_00002.xml")
T = "FatturaElettronicaHeader/DatiTrasmissione/"
G = "FatturaElettronicaBody/DatiGenerali/DatiGeneraliDocumento/"
check("transmission", values(xml, T + "ProgressivoInvio") + values(xml, T + "CodiceDestinatario"),
      ["2", "ABC1234"])
check("document", values(xml, G + "Numero") + values(xml, G + "Data") +
      values(xml, G + "ImportoTotaleDocumento"), ["1", "2026-12-06", "122.00"])
check("told", [m[1] for m in messages() if m[1].startswith("Il file IT01234567897_00002.xml è stato scritto")],
      ["Il file IT01234567897_00002.xml è stato scritto dal documento n. 1 del 06/12/2026, con i "
       "dati del cliente come sono ora e il progressivo invio 2, al posto di "
       "IT01234567897_00001.xml."])

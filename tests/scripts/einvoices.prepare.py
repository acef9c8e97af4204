# E-invoices of the company for einvoices.qrs: one written and not sent, one sent and rejected
# by the exchange system (its file since corrected), a business one made available, one
# delivered whose second sending was rejected as a duplicate; a notification waiting for its
# sending and a message kept; the settings to send them.
import os
import shutil

from check_lib import COMPANY, DRIVE
from einvoices_settings import write_settings

write_settings()
folder = os.path.join(DRIVE, "fatture")
os.makedirs(folder)
for name in ("IT01234567890_0000A.xml", "IT01234567890_0000B.xml"):
    shutil.copy(os.environ["SDI_SAMPLE"], os.path.join(folder, name))
H = "0" * 64
F = "\t{}\t\\fatture\\{}\t{}\t2026-12-0{}\t{}\t{}\tFPR12\t{}\t\t"


def sent(name, day, sdi, message):
    return (f"I\t{name}\t2026-12-0{day} 09:00:00\t{name}\tditta@pec.example.it\t"
            f"sdi01@pec.fatturapa.it\t<{message}@pec.example.it>\t{H}\t{H}\t{sdi}")


def notified(line, name, kind, sdi, moment, schema, available=""):
    return (f"{line}\t{name}\t{kind}\t2026-12-0{moment[9]} 10:00:00\t{name[:-4]}_{kind}_001.xml\t{sdi}\t"
            f"{moment}\t\t\t{sdi}{kind}\t{H}\t{available}\t{schema}")


A, B, C, D = (f"IT01234567890_0000{x}.xml" for x in "ABCD")
B2B = "MessaggiFatturaTypes_v1.0"
lines = [
    "QORVANA-SDI\t2",
    # A business customer's e-invoice the system could not deliver: final, made available.
    "F" + F.format(C, C, "C3", 3, "Rossi Mario", "RSSMRA80A01L781K", 12),
    sent(C, 3, 4720, 3),
    notified("N", C, "MC", 4720, "2026-12-03T10:00:00", B2B, "2026-12-03"),
    # Delivered; sent a second time by another workstation, rejected as a duplicate.
    "F" + F.format(D, D, "D4", 4, "Nordica S.r.l.", "IT02222222222", 13),
    sent(D, 4, 4730, 4),
    sent(D, 4, 4731, 5),
    notified("N", D, "RC", 4730, "2026-12-04T10:00:00", B2B),
    notified("N", D, "NS", 4731, "2026-12-04T10:05:00", B2B),
    f"E\t{D}\t00002\tNome file duplicato\tVerificare di non averlo già inviato",
    "F" + F.format(A, A, "A1", 1, "Edilizia Bianchi S.p.A.", "IT09876543210", 10),
    "F" + F.format(B, B, "B2", 2, "Città Verde S.r.l.", "IT01111111111", 11),
    sent(B, 2, 4711, 1),
    notified("N", B, "NS", 4711, "2026-12-02T09:30:00", "MessaggiTypes_v1.1"),
    f"E\t{B}\t00305\t1.1.4 CodiceDestinatario non valido\t",
    # A notification of a file this company has no sending of, and a message kept.
    notified("U", "IT01234567890_0000Z.xml", "RC", 4790, "2026-12-05T10:00:00", B2B),
    "S\tmessaggio_7_0123456789ab.eml\timaps://127.0.0.1:993/INBOX, messaggio 7\t"
    "2026-12-05 10:00:00\tIT01234567890_0000E_RC_001.xml: notifica non utilizzabile, non "
    "registrata: non è una notifica leggibile: il testo XML è incompleto o danneggiato (riga 2)",
]
with open(os.path.join(COMPANY, "qorvana.sdi"), "wb") as f:
    f.write(("\r\n".join(lines) + "\r\n").encode("cp1252"))

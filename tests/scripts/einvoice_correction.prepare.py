# The settings to send, and the exchange system's rejection of the company's first e-invoice
# (IT01234567897_00001.xml, for a wrong recipient code), waiting for its sending.
import os

from check_lib import COMPANY
from einvoices_settings import write_settings

write_settings()
name = "IT01234567897_00001.xml"
lines = [
    "QORVANA-SDI\t2",
    f"U\t{name}\tNS\t2026-12-06 10:30:00\t{name[:-4]}_NS_001.xml\t4711\t2026-12-06T10:20:00\t\t\t"
    "4711NS\t\t\tMessaggiTypes_v1.1",
    f"E\t{name}\t00311\t1.1.4 CodiceDestinatario non valido\t",
]
with open(os.path.join(COMPANY, "qorvana.sdi"), "wb") as f:
    f.write(("\r\n".join(lines) + "\r\n").encode("cp1252"))

# Two e-invoices of the company for einvoices.qrs: one written and not sent, one sent and
# rejected by the exchange system (its file since corrected), and the settings to send them.
import os
import shutil

from check_lib import COMPANY, DRIVE
from einvoices_settings import write_settings

write_settings()
folder = os.path.join(DRIVE, "fatture")
os.makedirs(folder)
for name in ("IT01234567890_0000A.xml", "IT01234567890_0000B.xml"):
    shutil.copy(os.environ["SDI_SAMPLE"], os.path.join(folder, name))
lines = [
    "QORVANA-SDI\t1",
    "F\tIT01234567890_0000A.xml\t\\fatture\\IT01234567890_0000A.xml\tA1\t2026-12-01\t"
    "Edilizia Bianchi S.p.A.\tIT09876543210\tFPR12\t10\t\t",
    "F\tIT01234567890_0000B.xml\t\\fatture\\IT01234567890_0000B.xml\tB2\t2026-12-02\t"
    "Città Verde S.r.l.\tIT01111111111\tFPR12\t11\t\t",
    "I\tIT01234567890_0000B.xml\t2026-12-02 09:00:00\tIT01234567890_0000B.xml\t"
    "ditta@pec.example.it\tsdi01@pec.fatturapa.it\t<1@pec.example.it>\t" + "0" * 64,
    "N\tIT01234567890_0000B.xml\tNS\t2026-12-02 10:00:00\tIT01234567890_0000B_NS_001.xml\t4711\t"
    "2026-12-02T09:30:00\t\t",
    "E\tIT01234567890_0000B.xml\t00305\t1.1.4 CodiceDestinatario non valido",
]
with open(os.path.join(COMPANY, "qorvana.sdi"), "wb") as f:
    f.write(("\r\n".join(lines) + "\r\n").encode("cp1252"))

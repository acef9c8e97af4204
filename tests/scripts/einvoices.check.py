# What einvoices.qrs sent: one message to the exchange system, with its file attached; the
# rejected one, without its stored document, not written again (the counter as it was).
import email
import email.policy
import glob
import hashlib
import os
from check_lib import COMPANY, DRIVE, check, records, word

mail = sorted(glob.glob(os.path.join(os.environ["SDI_MAIL"], "new", "*")), key=os.path.getmtime)
sent = []
for file in mail:
    with open(file, "rb") as f:
        message = email.message_from_binary_file(f, policy=email.policy.default)
    sent += [(str(message["To"]), a.get_filename()) for a in message.iter_attachments()]
check("sent", sent, [("sdi01@pec.fatturapa.it", "IT01234567890_0000A.xml")])
check("counter", word(records("qorvana.tot", 12)[4], 0), 0)
check("nothing written", os.path.exists(os.path.join(DRIVE, "fatture", "IT01234567890_00001.xml")),
      False)
with open(os.path.join(COMPANY, "qorvana.sdi"), encoding="cp1252") as f:
    lines = [line.rstrip("\r\n").split("\t") for line in f]
check("sendings", [(l[1], l[5]) for l in lines if l[0] == "I" and l[1][-5] in "AB1"],
      [("IT01234567890_0000A.xml", "sdi01@pec.fatturapa.it"),
       ("IT01234567890_0000B.xml", "sdi01@pec.fatturapa.it")])
# Each sending records the SHA-256 of the file as it travelled, and no number before an answer.
with open(os.path.join(DRIVE, "fatture", "IT01234567890_0000A.xml"), "rb") as f:
    check("digest of the file sent", [l[8:] for l in lines if l[0] == "I" and l[1].endswith("A.xml")],
          [[hashlib.sha256(f.read()).hexdigest(), ""]])
check("not replaced", [(l[1], l[9], l[10]) for l in lines if l[0] == "F" and (l[9] or l[10])],
      [])

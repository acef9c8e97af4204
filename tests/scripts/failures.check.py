# What failures.qrs was told, in order, and what the runs of qorxpdf left.
import errno
import locale
import os
from check_lib import DRIVE, check, messages

company = "\\qorwin\\qorwin\\qoraz0.001\\"
before_printing = [
    "Manca il file " + company + "qorvana.lyf della disposizione della stampa. Il documento sarà "
    "stampato senza i suoi dati, solo con il modulo.",
    "Il file " + company + "qorvana.lkf non può essere letto: al posto del file c'è una cartella "
    "(rimuoverla o rinominarla). Il documento sarà stampato senza il modulo.",
    "Iniziare la stampa?"]
texts = [m[1] for m in messages()]
for start in (0, texts.index("Iniziare la stampa?") + 1):
    at = texts.index(before_printing[0], start)
    check("said before printing", texts[at:at + 3], before_printing)

# Both documents printed and handed over; their own print images gone once qorxpdf ended.
check("PDFs", sorted(os.listdir(os.path.join(DRIVE, "qorwin", "PDF"))),
      ["ftr1_2026.pdf", "ftr2_2026.pdf"])
check("own images removed", [f for f in os.listdir(DRIVE) if f.startswith("qordoc")],
      ["qordoc.rto"])
log = open(os.path.join(DRIVE, "qorwin", "qorwin", "qorxpdf.log"), encoding="cp1252").read()
lines = [line.split("\t") for line in log.splitlines()]
check("log results", [(line[1], line[3]) for line in lines],
      [("OK", "***"), ("ERRORE", "info@bordo.it")])
# The system's own text, in the desktop's language.
locale.setlocale(locale.LC_ALL, "")
check("log keeps the system's text", os.strerror(errno.EISDIR) in lines[1][4], True)

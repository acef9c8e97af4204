# The three documents numbered 1 of pdf_names.qrs: three stored PDF paths, three PDFs, each
# showing its own document.
import os
from check_lib import DRIVE, check, pdf_text, records, text

f2e = records("qorvana.f2e", 838)
paths = [text(r, 338, 60) for r in f2e]
check("stored PDF paths", paths, ["\\QORWIN\\PDF\\ftr1_2025.pdf", "\\QORWIN\\PDF\\ftr1_2026.pdf",
                                  "\\QORWIN\\PDF\\ftr1_2026pa.pdf"])


folder = os.path.join(DRIVE, "qorwin", "PDF")
for path, shown in zip(paths, ["Fornitura del 2025", "Fornitura del 2026",
                               "Fornitura alla pubblica amministrazione"]):
    pdf = pdf_text(os.path.join(folder, path.split("\\")[-1]), detached=True)
    check(path + " shows its document", shown in pdf, True)
check("PDFs", sorted(os.listdir(folder)), ["ftr1_2025.pdf", "ftr1_2026.pdf", "ftr1_2026pa.pdf"])

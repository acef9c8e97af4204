# preview.qrs: the copy printed at confirmation and the one printed from the reprint's preview
# have the preview's two pages, and are the same pages, pixel for pixel.
import os
import subprocess
import tempfile
from check_lib import PRINT, check

check("print jobs", sorted(f for f in os.listdir(PRINT) if f.endswith(".pdf")),
      ["print-1.pdf", "print-2.pdf"])


def pages(name):
    info = subprocess.run(["pdfinfo", os.path.join(PRINT, name)], capture_output=True,
                          text=True, check=True).stdout
    return int(next(l.split()[1] for l in info.splitlines() if l.startswith("Pages:")))


def images(name):
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run(["pdftoppm", "-r", "50", "-png", os.path.join(PRINT, name),
                        os.path.join(folder, "page")], check=True)
        return [open(os.path.join(folder, f), "rb").read() for f in sorted(os.listdir(folder))]


check("pages printed at confirmation", pages("print-1.pdf"), 2)
check("pages printed from the preview", pages("print-2.pdf"), 2)
check("the preview's print is the document printed", images("print-2.pdf") == images("print-1.pdf"),
      True)

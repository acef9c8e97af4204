# The company numbers its electronic invoices in a series of their own (qorvana.fpa, offset 707).
import os
from check_lib import COMPANY

with open(os.path.join(COMPANY, "qorvana.fpa"), "r+b") as f:
    f.seek(707)
    f.write(b"1")

# BORDO (customer 4) becomes a German customer; NODO (customer 5) loses its postcode.
import os
from check_lib import COMPANY

path = os.path.join(COMPANY, "qorvana.cli")
with open(path, "r+b") as f:
    for record, offset, value in ((4, 626, b"DE"), (5, 160, b"     ")):
        f.seek((record - 1) * 752 + offset)
        f.write(value)

# BORDO (customer 4) becomes a German customer; NODO (customer 5) loses its postcode; the
# company charges the virtual stamp duty to its customers.
import os
from check_lib import COMPANY

path = os.path.join(COMPANY, "qorvana.cli")
with open(path, "r+b") as f:
    for record, offset, value in ((4, 626, b"DE"), (5, 160, b"     ")):
        f.seek((record - 1) * 752 + offset)
        f.write(value)

path = os.path.join(COMPANY, "qorvana-fe.ini")
with open(path, "rb") as f:
    settings = f.read()
with open(path, "wb") as f:
    f.write(settings.replace(b"bollo_a_carico_del_cliente=no", b"bollo_a_carico_del_cliente=si"))

# BORDO (customer 4) becomes a German customer, its prefix typed in lower case; NODO
# (customer 5) loses its postcode; GRANDI's VAT number gets a wrong check digit; the company
# charges the virtual stamp duty to its customers.
import os
from check_lib import COMPANY, read, text

path = os.path.join(COMPANY, "qorvana.cli")
with open(path, "r+b") as f:
    for record, offset, value in ((4, 626, b"de"), (5, 160, b"     ")):
        f.seek((record - 1) * 752 + offset)
        f.write(value)
    customers = read("qorvana.cli")
    grandi = next(n for n in range(len(customers) // 752)
                  if text(customers[n * 752:(n + 1) * 752], 0, 40) == "GRANDI MAGAZZINI EST")
    f.seek(grandi * 752 + 375)
    f.write(b"00215150230")

path = os.path.join(COMPANY, "qorvana-fe.ini")
with open(path, "rb") as f:
    settings = f.read()
with open(path, "wb") as f:
    f.write(settings.replace(b"bollo_a_carico_del_cliente=no", b"bollo_a_carico_del_cliente=si"))

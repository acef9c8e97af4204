# BORDO becomes a German customer, its prefix typed in lower case; NODO loses its postcode;
# GRANDI's VAT number gets a wrong check digit; the company charges the virtual stamp duty to
# its customers.
import os
from check_lib import COMPANY, set_customer

set_customer("BORDO", 626, b"de")
set_customer("NODO", 160, b"     ")
set_customer("GRANDI MAGAZZINI EST", 375, b"00215150230")
path = os.path.join(COMPANY, "qorvana-fe.ini")
with open(path, "rb") as f:
    settings = f.read()
with open(path, "wb") as f:
    f.write(settings.replace(b"bollo_a_carico_del_cliente=no", b"bollo_a_carico_del_cliente=si"))

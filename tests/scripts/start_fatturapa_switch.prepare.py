# COMUNE DI VERONA's VAT number (customer offset 375) with a wrong check digit.
import os
from check_lib import COMPANY, read, text

customers = read("qorvana.cli")
comune = next(n for n in range(len(customers) // 752)
              if text(customers[n * 752:(n + 1) * 752], 0, 40) == "COMUNE DI VERONA")
with open(os.path.join(COMPANY, "qorvana.cli"), "r+b") as f:
    f.seek(comune * 752 + 375)
    f.write(b"00215150230")

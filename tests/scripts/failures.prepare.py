# A folder in the place of the form drawing qorvana.lkf and of the mail settings qorxpdf.ini; no
# layout qorvana.lyf; ARCO without e-mail address; the transmission counter (counters record 5,
# word 1) damaged at -4.
import os
from check_lib import COMPANY, DRIVE, read, set_words, text

os.remove(os.path.join(COMPANY, "qorvana.lkf"))
os.mkdir(os.path.join(COMPANY, "qorvana.lkf"))
os.remove(os.path.join(COMPANY, "qorvana.lyf"))
os.mkdir(os.path.join(DRIVE, "qorwin", "qorwin", "qorxpdf.ini"))
customers = read("qorvana.cli")
arco = next(n for n in range(len(customers) // 752)
            if text(customers[n * 752:(n + 1) * 752], 0, 40) == "ARCO")
with open(os.path.join(COMPANY, "qorvana.cli"), "r+b") as f:
    f.seek(arco * 752 + 714)
    f.write(b" " * 36)
set_words("qorvana.tot", [(4 * 12, -4)])

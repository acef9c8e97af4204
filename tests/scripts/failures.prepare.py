# A folder in the place of the form drawing qorvana.lkf and of the mail settings qorxpdf.ini; no
# layout qorvana.lyf; ARCO without e-mail address; the transmission counter (counters record 5,
# word 1) damaged at -4.
import os
from check_lib import COMPANY, DRIVE, set_customer, set_words

os.remove(os.path.join(COMPANY, "qorvana.lkf"))
os.mkdir(os.path.join(COMPANY, "qorvana.lkf"))
os.remove(os.path.join(COMPANY, "qorvana.lyf"))
os.mkdir(os.path.join(DRIVE, "qorwin", "qorwin", "qorxpdf.ini"))
set_customer("ARCO", 714, b" " * 36)
set_words("qorvana.tot", [(4 * 12, -4)])

# The company is an engineering firm enrolled in Inarcassa: contributo integrativo 4 % with VAT
# code 1 (22 %, no withholding), its fees under code 5 (22 % and a 20 % withholding).
import os
from check_lib import COMPANY

with open(os.path.join(COMPANY, "qorvana-fe.ini"), "ab") as f:
    f.write(b"cassa_tipo=TC04\r\ncassa_aliquota=4\r\ncassa_codice_iva=1\r\n")

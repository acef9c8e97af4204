# Counters record 1 counts 70 customers (the name index holds 60), record 3 counts 90 articles
# (qorvana.art and qorvana.srb hold 80) and the last ordinary number (record 7, word 4) is
# 32767. Name-index entries 3, 4 and 5 (BARBIERI, BATTAGLIA &, BATTAGLIA INST.) point at
# customer records 0, -1 and 9999, outside qorvana.cli.
from check_lib import set_words

set_words("qorvana.tot", [(0, 70), (2 * 12, 90), (6 * 12 + 6, 32767)])
set_words("qorvana.src", [((entry - 1) * 42 + 40, record) for entry, record in ((3, 0), (4, -1), (5, 9999))])
# Row colour 1 of the company's settings record (qorvana.gnr, offset 185) is not a number.
import os
import struct
from check_lib import COMPANY

with open(os.path.join(COMPANY, "qorvana.gnr"), "r+b") as f:
    f.seek(185)
    f.write(struct.pack("<d", float("nan")))

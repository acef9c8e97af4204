# The ordinary series ends at 40 (counters record 7, word 4), the electronic-invoice series at 7
# (record 5, word 4); the company numbers both together (qorvana.fpa offset 707 "0").
from check_lib import set_words

set_words("qorvana.tot", [(6 * 12 + 6, 40), (4 * 12 + 6, 7)])

# The entry registered by registration_form.qrs: the amounts typed the Italian way, 141,90 and
# 12,90, reach the journal and the two accounts' totals whole.
from check_lib import check, dbl, records, text, word

journal = records("qorvana.gio", 296)
check("journal entries", len(journal), 1)
lines = [(word(journal[0], 70 + 18 * k), text(journal[0], 72 + 18 * k, 8),
          dbl(journal[0], 80 + 18 * k)) for k in (6, 7)]
check("journal lines 7 and 8", lines, [(0, "12010002", 141.9), (1, "12010001", 12.9)])
totals = {text(a, 0, 10): (dbl(a, 58), dbl(a, 66)) for a in records("qorvana.con", 150)}
check("account 12.01.0002", totals["12010002"], (141.9, 0.0))
check("account 12.01.0001", totals["12010001"], (0.0, 12.9))

#!/usr/bin/env bash
# The two invoices of header_split_question.qrs as stored: the header's number, dates,
# payment condition, due dates and instalment amounts, as the operator left them.
set -euo pipefail
python3 - "$COMPANY" <<'PY'
import os, struct, sys
folder = sys.argv[1]
data = open(os.path.join(folder, "qorvana.fte"), "rb").read()
fte = [data[i:i + 522] for i in range(0, len(data), 522)]
def check(what, got, want):
    if got != want:
        sys.exit(f"{what}: {got!r}, expected {want!r}")
def text(record, offset, width):
    return record[offset:offset + width].decode("cp1252").rstrip()
check("documents", len(fte), 2)
expected = [
    ("1", "6", ["20270131", "20270228", "", ""], [50.0, 50.0, 0.0, 0.0]),
    ("2", "3", ["20270106", "20270206", "20270306", ""], [33.34, 33.32, 33.33, 0.0]),
]
for d, (number, terms, dates, amounts) in zip(fte, expected):
    check("number", text(d, 2, 10), number)
    check("registration date", text(d, 14, 8), "20261206")
    check("document date", text(d, 22, 8), "20261206")
    check("payment condition", text(d, 356, 40), terms)
    check("due dates", [text(d, 30 + 8 * i, 8) for i in range(4)], dates)
    check("amounts", [struct.unpack_from("<d", d, 286 + 8 * i)[0] for i in range(4)], amounts)
    check("bank receipt", struct.unpack_from("<h", d, 352)[0], 1)
    check("VAT register number", struct.unpack_from("<d", d, 434)[0], float(number))
PY
echo "header_split_question: files checked"

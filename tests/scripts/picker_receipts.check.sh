#!/usr/bin/env bash
# Posting after the receipt import of picker_receipts.qrs clears the open mark (offset 350)
# of receipt 5 only; receipt 6 of ARCO stays open.
set -euo pipefail
python3 - "$COMPANY" <<'PY'
import os, struct, sys
data = open(os.path.join(sys.argv[1], "qorvana.ric"), "rb").read()
marks = {}
for i in range(0, len(data), 522):
    r = data[i:i + 522]
    marks[r[2:12].decode("cp1252").strip()] = struct.unpack_from("<h", r, 350)[0]
if marks != {"5": 0, "6": 1, "4": 0}:
    sys.exit(f"open marks: {marks}")
PY

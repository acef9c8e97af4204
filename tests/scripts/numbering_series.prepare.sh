#!/usr/bin/env bash
# The ordinary series ends at 40 (counters record 7, word 4), the electronic-invoice series
# at 7 (record 5, word 4); the company numbers both together (qorvana.fpa offset 707 "0").
set -euo pipefail
python3 - "$COMPANY/qorvana.tot" <<'PY'
import struct, sys
with open(sys.argv[1], "r+b") as f:
    for record, last in ((7, 40), (5, 7)):
        f.seek((record - 1) * 12 + 6)
        f.write(struct.pack("<h", last))
PY

#!/usr/bin/env bash
# Counters record 1 counts 70 customers (the name index holds 60) and record 3 counts 90
# articles (qorvana.art and qorvana.srb hold 80).
set -euo pipefail
python3 - "$COMPANY/qorvana.tot" <<'PY'
import struct, sys
with open(sys.argv[1], "r+b") as f:
    for record, count in ((1, 70), (3, 90)):
        f.seek((record - 1) * 12)
        f.write(struct.pack("<h", count))
PY

#!/usr/bin/env bash
# Name-index entries 3, 4 and 5 (BARBIERI, BATTAGLIA &, BATTAGLIA INST.) point at customer
# records 0, -1 and 9999, outside qorvana.cli.
set -euo pipefail
python3 - "$COMPANY/qorvana.src" <<'PY'
import struct, sys
with open(sys.argv[1], "r+b") as f:
    for entry, record in ((3, 0), (4, -1), (5, 9999)):
        f.seek((entry - 1) * 42 + 40)
        f.write(struct.pack("<h", record))
PY

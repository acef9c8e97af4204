#!/usr/bin/env bash
# The last ordinary number (counters record 7, word 4) is 32767: no next number fits.
set -euo pipefail
python3 - "$COMPANY/qorvana.tot" <<'PY'
import struct, sys
with open(sys.argv[1], "r+b") as f:
    f.seek(6 * 12 + 6)
    f.write(struct.pack("<h", 32767))
PY

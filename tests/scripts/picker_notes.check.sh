#!/usr/bin/env bash
# Posting after the imports of picker_notes.qrs marks notes 12 and 13 of ALFA invoiced
# (offset 93 = 1) and no other note.
set -euo pipefail
python3 - "$COMPANY" <<'PY'
import os, struct, sys
data = open(os.path.join(sys.argv[1], "qorvana.bol"), "rb").read()
marked = []
for i in range(0, len(data), 97):
    r = data[i:i + 97]
    if struct.unpack_from("<h", r, 83)[0] == 1 and struct.unpack_from("<h", r, 93)[0] == 1:
        marked.append(struct.unpack_from("<h", r, 0)[0])
if sorted(marked) != [12, 13, 14]:
    sys.exit(f"notes marked invoiced: {sorted(marked)}, expected [12, 13, 14]")
PY

#!/usr/bin/env bash
# Three documents: electronic 8 (own series), ordinary 41 and 42; each series advanced once.
set -euo pipefail
python3 - "$COMPANY" <<'PY'
import os, struct, sys
folder = sys.argv[1]
tot = open(os.path.join(folder, "qorvana.tot"), "rb").read()
fte = open(os.path.join(folder, "qorvana.fte"), "rb").read()
def word(record, n): return struct.unpack_from("<h", tot, (record - 1) * 12 + (n - 1) * 2)[0]
numbers = [fte[i + 2:i + 12].decode().strip() for i in range(0, len(fte), 522)]
for what, got, want in (("numbers", numbers, ["8", "41", "42"]), ("record 5 word 4", word(5, 4), 8),
                        ("record 7 word 4", word(7, 4), 42), ("record 7 word 1", word(7, 1), 3)):
    if got != want:
        sys.exit(f"{what}: {got!r}, expected {want!r}")
PY
echo "numbering_series: counters checked"

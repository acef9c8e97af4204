#!/usr/bin/env bash
# After the refusal and the corrected confirmation of post_refused.qrs: one document, 5.
set -euo pipefail
python3 - "$COMPANY" <<'PY'
import os, struct, sys
folder = sys.argv[1]
def check(what, got, want):
    if got != want:
        sys.exit(f"{what}: {got!r}, expected {want!r}")
fte = open(os.path.join(folder, "qorvana.fte"), "rb").read()
check("documents", len(fte), 522)
check("number", fte[2:12].decode("cp1252").rstrip(), "5")
check("commission rate", fte[402:406].decode("cp1252"), "12,5")
check("VAT register number", struct.unpack_from("<d", fte, 434)[0], 77.0)
tot = open(os.path.join(folder, "qorvana.tot"), "rb").read()
check("document counter", struct.unpack_from("<h", tot, 6 * 12)[0], 1)
check("last number", struct.unpack_from("<h", tot, 6 * 12 + 6)[0], 5)
check("movement counter", struct.unpack_from("<h", tot, 10 * 12)[0], 1)
check("movements", os.path.getsize(os.path.join(folder, "qorvana.mag")), 94)
PY
echo "post_refused: files checked"

#!/usr/bin/env bash
# Two electronic invoices of post_fatturapa.qrs: TD01 then TD04.
set -euo pipefail
python3 - "$COMPANY" <<'PY'
import os, struct, sys
folder = sys.argv[1]
def records(ext, length):
    data = open(os.path.join(folder, "qorvana." + ext), "rb").read()
    return [data[i:i + length] for i in range(0, len(data), length)]
def check(what, got, want):
    if got != want:
        sys.exit(f"{what}: {got!r}, expected {want!r}")
fte = records("fte", 522)
check("documents", len(fte), 2)
for d in fte:
    check("kind", struct.unpack_from("<h", d, 350)[0], 7)
mag = records("mag", 94)
check("movements", len(mag), 2)
check("TD01 reference", mag[0][50:53], b"FT ")
check("TD01 quantity", struct.unpack_from("<d", mag[0], 74)[0], 4.0)
check("TD04 reference", mag[1][50:53], b"NC ")
check("TD04 quantity", struct.unpack_from("<d", mag[1], 74)[0], -4.0)
PY
echo "post_fatturapa: files checked"

#!/usr/bin/env bash
# Files written by posting the credit note of post_credit_note.qrs.
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
check("documents", len(fte), 1)
check("kind", struct.unpack_from("<h", fte[0], 350)[0], 1)
mag = records("mag", 94)
check("movements", len(mag), 1)
check("reference", mag[0][50:62].decode("cp1252").rstrip(), "NC 1")
check("quantity", struct.unpack_from("<d", mag[0], 74)[0], -3.0)
check("article", struct.unpack_from("<h", mag[0], 70)[0], 3)
lines = open(os.path.join(folder, "f1"), "rb").read().split(b"\r\n")
check("header kind", lines[1], b" 1 ")
PY
echo "post_credit_note: files checked"

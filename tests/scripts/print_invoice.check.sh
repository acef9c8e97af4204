#!/usr/bin/env bash
# Files of print_invoice.qrs: the print image of invoice 1 (also as its own copy), one printed
# PDF, the stored PDF path, and the PDF made by qorxpdf; nothing of invoice 2.
set -euo pipefail
fail() { echo "print_invoice: $*" >&2; exit 1; }

image=$DRIVE/qordoc.rto
[ -f "$image" ] || fail "no print image"
[ "$(head -n 1 "$image" | tr -d '\r')" = "#FILEFORMAT=KVX-RTO" ] || fail "print image marker"
grep -q "^LED-E27-10W" "$image" || fail "line 1 not in the print image"
grep -q "^RAD-600" "$image" && fail "invoice 2 in the print image"
cmp -s "$image" "$DRIVE/qordoc1.rto" || fail "the document's own image differs"

[ -f "$PRINT/print-1.pdf" ] || fail "no printed PDF"
[ -f "$PRINT/print-2.pdf" ] && fail "invoice 2 printed"
text=$(pdftotext "$PRINT/print-1.pdf" -)
for want in FATTURA ARCO "Lampadina LED E27 10 W luce calda" "36,60"; do
    grep -qF "$want" <<<"$text" || fail "printed PDF lacks $want"
done

python3 - "$COMPANY" <<'PY'
import sys
data = open(sys.argv[1] + "/qorvana.f2e", "rb").read()
path = data[338:398].decode("cp1252").rstrip(" \0")
if path != "\\QORWIN\\PDF\\ftr1.pdf":
    sys.exit(f"stored PDF path {path!r}")
PY

# qorxpdf runs detached: give it a moment.
for _ in $(seq 1 100); do
    pdf=$(find "$DRIVE" -iname ftr1.pdf | head -n 1)
    [ -n "$pdf" ] && [ -s "$pdf" ] && break
    sleep 0.2
done
[ -n "$pdf" ] || fail "qorxpdf made no ftr1.pdf"
sleep 0.5
pdftotext "$pdf" - | grep -qF "Lampadina LED E27 10 W luce calda" || fail "ftr1.pdf lacks line 1"
[ -z "$(find "$DRIVE" -iname ftr2.pdf)" ] || fail "a PDF of invoice 2"
echo "print_invoice: files checked"

#!/usr/bin/env bash
# The file of header_fatturapa_vat_inclusive.qrs: accepted by qorvana-check, prices net.
set -euo pipefail
xml=$COMPANY/fatturepa/IT01234567897_00001.xml
"$QORVANA_CHECK" "$xml"
python3 - "$xml" <<'PY'
import sys
text = open(sys.argv[1], "rb").read().decode("utf-8")
for needle in ["<PrezzoUnitario>8.19672131</PrezzoUnitario>\r\n        <PrezzoTotale>24.59</PrezzoTotale>",
               "<ImponibileImporto>24.59</ImponibileImporto>\r\n        <Imposta>5.41</Imposta>",
               "<ImportoTotaleDocumento>30.00</ImportoTotaleDocumento>"]:
    if needle not in text:
        sys.exit(f"the XML lacks {needle!r}")
PY
echo "header_fatturapa_vat_inclusive: file checked"

#!/usr/bin/env bash
# The FatturaPA 1.2.3 file of header_fatturapa_xml12.qrs: accepted by qorvana-check, and
# written the way its checks compute it.
set -euo pipefail
xml=$COMPANY/fatturepa/IT01234567897_00001.xml
test -f "$xml" || { echo "no $xml" >&2; exit 1; }
"$QORVANA_CHECK" "$xml"
python3 - "$xml" <<'PY'
import sys
text = open(sys.argv[1], "rb").read().decode("utf-8")
for needle in ['versione="FPA12"', "<FormatoTrasmissione>FPA12</FormatoTrasmissione>",
               "<Numero>15/2026</Numero>", "<Percentuale>10.00</Percentuale>",
               "<Percentuale>5.00</Percentuale>", "<PrezzoTotale>2.57</PrezzoTotale>",
               "<Descrizione>Diritto di chiamata</Descrizione>\r\n        <PrezzoUnitario>",
               "<ImportoTotaleDocumento>"]:
    if needle not in text:
        sys.exit(f"the XML lacks {needle}")
PY
echo "header_fatturapa_xml12: file checked"

#!/usr/bin/env bash
# The file, the counter and the archive of header_fatturapa_xml.qrs.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
xml=$COMPANY/fatturepa/IT01234567897_152026.xml
test -f "$xml" || { echo "no $xml" >&2; exit 1; }
ls "$COMPANY/fatturepa" | grep -q tmp && { echo "a temporary file was left" >&2; exit 1; }
bash "$here/../fatturapa/validate_v10.sh" "$xml"
python3 - "$COMPANY" "$xml" <<'PY'
import os, struct, sys
folder, xml = sys.argv[1], sys.argv[2]
def check(what, got, want):
    if got != want:
        sys.exit(f"{what}: {got!r}, expected {want!r}")
text = open(xml, "rb").read().decode("utf-8")
check("line ends", text.count("\r\n"), text.count("\n"))
for needle in ["<ProgressivoInvio>1</ProgressivoInvio>", "<Numero>15/2026</Numero>",
               "<Descrizione>Manutenzione impianti &amp; quadri &lt;BT&gt;</Descrizione>",
               "<PrezzoTotale>162.00</PrezzoTotale>", "<ImponibileImporto>162.00</ImponibileImporto>",
               "<IdDocumento>ORD 77</IdDocumento>", "<CodiceCIG>Z1234567890</CodiceCIG>"]:
    if needle not in text:
        sys.exit(f"the XML lacks {needle}")
check("ScontoMaggiorazione blocks", text.count("<ScontoMaggiorazione>"), 2)
tot = open(os.path.join(folder, "qorvana.tot"), "rb").read()
check("transmission counter", struct.unpack_from("<h", tot, 4 * 12)[0], 1)
archive = open(os.path.join(folder, "fpa1"), "rb").read()
check("archive length", len(archive), 2421)
check("archived progressive", archive[849:855].decode("cp1252").strip(), "1")
check("archived number", archive[723:743].decode("cp1252").strip(), "15/2026")
PY
echo "header_fatturapa_xml: files checked"

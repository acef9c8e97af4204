#!/usr/bin/env bash
# Writes the seeds of the e-invoice channel's harnesses that the test fixtures make, each a
# selector byte (where the harness has one) and the file:
#   fuzz/sdi_seeds.sh OUT
# sdi_notification/: a notification of each kind, an outcome refused, one without signature,
# the business flow's (MessaggiFatturaTypes 1.0: deliveries to a 7-character code and to
# 0000000, a rejection with suggestions, a failed delivery made available), one in a namespace
# without a schema; sdi_message/: certified-mail messages carrying a notification, a signed
# one and a business one, and a signed notification; sdi_store/: the test e-invoice, for a
# business and for an administration.
# The store and the settings come from fuzz_seeds (README.md).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=$1
fixtures=$here/tests/tools/sdi_fixtures.py
sample=$here/tests/fatturapa/data/IT01234567890_FPR01.xml
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out/sdi_notification" "$out/sdi_message" "$out/sdi_store"
invoice=IT01234567890_00001.xml

for kind in RC NS MC NE DT AT; do
    python3 "$fixtures" notification $kind $invoice "$out/sdi_notification/$kind.xml"
done
python3 "$fixtures" notification NE $invoice "$out/sdi_notification/NE-EC02.xml" EC02
python3 "$fixtures" notification DT $invoice "$out/sdi_notification/DT-unsigned.xml" broken
business=IT01234567890_00002.xml
python3 "$fixtures" notification RC $business "$out/sdi_notification/RC-fattura.xml" fattura
python3 "$fixtures" notification RC $business "$out/sdi_notification/RC-fattura-0000000.xml" \
    fattura codice=0000000
python3 "$fixtures" notification NS $business "$out/sdi_notification/NS-fattura.xml" fattura
python3 "$fixtures" notification MC $business "$out/sdi_notification/MC-fattura.xml" fattura
python3 "$fixtures" notification NS $business "$out/sdi_notification/NS-altro.xml" altro

# A signed notification, as the system may send it (any certificate: the signature is not
# checked when reading).
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" \
    -days 2 -subj "/CN=Sistema di Interscambio" 2>/dev/null
rc=$work/IT01234567890_00001_RC_001.xml
ns=$work/IT01234567890_00001_NS_001.xml
cp "$out/sdi_notification/RC.xml" "$rc"
cp "$out/sdi_notification/NS.xml" "$ns"
openssl cms -sign -nodetach -binary -outform DER -in "$ns" -signer "$work/cert.pem" \
    -inkey "$work/key.pem" -out "$ns.p7m"
{ printf '\001'; cat "$ns.p7m"; } >"$out/sdi_message/signed-NS.xml.p7m"

python3 "$fixtures" pec "$work/rc.eml" "$rc"
mc=$work/IT01234567890_00002_MC_001.xml
cp "$out/sdi_notification/MC-fattura.xml" "$mc"
python3 "$fixtures" pec "$work/mc.eml" "$mc"
{ printf '\000'; cat "$work/mc.eml"; } >"$out/sdi_message/pec-MC-fattura.eml"
python3 "$fixtures" pec "$work/ns.eml" "$ns.p7m" sdi23@pec.fatturapa.it
{ printf '\000'; cat "$work/rc.eml"; } >"$out/sdi_message/pec-RC.eml"
{ printf '\000'; cat "$work/ns.eml"; } >"$out/sdi_message/pec-signed-NS.eml"

{ printf '\002'; cat "$sample"; } >"$out/sdi_store/einvoice-FPR12.xml"
{
    printf '\002'
    sed -e "s|<FormatoTrasmissione>FPR12<|<FormatoTrasmissione>FPA12<|" \
        -e "s|versione=\"FPR12\"|versione=\"FPA12\"|" \
        -e "s|<CodiceDestinatario>ABC1234<|<CodiceDestinatario>UFABCD<|" "$sample"
} >"$out/sdi_store/einvoice-FPA12.xml"

#!/usr/bin/env bash
# qorvana-check: 0 when every file passes, 1 with one "FILE: CODE: ..." line per finding,
# 2 for a usage error, a file it cannot read or an archive; the file's name, size and signature.
set -uo pipefail
tool=$1 data=$2 sdi=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
fail() { echo "FAILED: $*"; exit 1; }
sample=$data/IT01234567890_FPR01.xml

expect_status() {  # expected status, then the arguments
    local want=$1; shift
    "$tool" "$@" >"$work/out" 2>"$work/err"
    local got=$?
    [ "$got" -eq "$want" ] || fail "qorvana-check $* gave $got, expected $want: $(cat "$work/out" "$work/err")"
}
# The file gives exactly one finding, of the code given.
expect_code() {  # code, file
    expect_status 1 "$2"
    [ "$(wc -l <"$work/out")" -eq 1 ] && grep -q "^$2: $1: " "$work/out" \
        || fail "$2: expected only $1: $(cat "$work/out")"
}

expect_status 0 "$sample"
[ -s "$work/out" ] && fail "findings for valid files: $(cat "$work/out")"

sed 's#<Numero>FT/2025/15</Numero>#<Numero>FT/A</Numero>#' "$sample" >IT01234567897_00425.xml
expect_status 1 "$sample" IT01234567897_00425.xml
grep -q "^IT01234567897_00425.xml: 00425: .*(FatturaElettronicaBody/DatiGenerali/DatiGeneraliDocumento/Numero, riga 57)$" "$work/out" \
    || fail "no 00425 line: $(cat "$work/out")"
[ "$(wc -l <"$work/out")" -eq 1 ] || fail "expected one finding: $(cat "$work/out")"

printf '<FatturaElettronica>' >IT01234567897_BROKN.xml
expect_status 1 IT01234567897_BROKN.xml
grep -q "^IT01234567897_BROKN.xml: schema: " "$work/out" || fail "no schema finding: $(cat "$work/out")"

# The name and the size of the file as sent.
for name in fattura.xml IT01234567897_000001.xml IT01234567897-00001.xml IT0123_00001.xml \
    it01234567897_00001.xml IT01234567897_00001.txt IT01234567897_00001.xml.p7m.xml; do
    cp "$sample" "$name"
    expect_code 00001 "$name"
done
for name in IT01234567897_0000h.xml IT01234567897_00001.XML DE123456789_1.xml \
    ITRSSMRA80A01H501U_ZZZZZ.xml; do
    cp "$sample" "$name"
    expect_status 0 "$name"
done
{ cat "$sample"; printf '<!--%*s-->\n' 5242880 ''; } >IT01234567897_00003.xml
expect_code 00003 IT01234567897_00003.xml

# Signed files: openssl's CAdES, altered, unsigned, base64; and qorvana-sdi's own signature.
openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 \
    -subj "/CN=Ferramenta Rossi" 2>/dev/null
sign() { openssl cms -sign -binary -nodetach -outform DER -signer cert.pem -inkey key.pem "$@"; }
sign -in "$sample" -out IT01234567897_00010.xml.p7m
expect_status 0 IT01234567897_00010.xml.p7m
sign -noattr -in "$sample" -out IT01234567897_00103.xml.p7m
expect_code 00103 IT01234567897_00103.xml.p7m
sed 's/Edilizia Bianchi/Edilizia Bianchx/' IT01234567897_00010.xml.p7m >IT01234567897_00102.xml.p7m
expect_code 00102 IT01234567897_00102.xml.p7m
cp "$sample" IT01234567897_00106.xml.p7m
expect_code 00106 IT01234567897_00106.xml.p7m
openssl base64 -in IT01234567897_00010.xml.p7m -out IT01234567897_00064.xml.p7m
expect_status 0 IT01234567897_00064.xml.p7m
sed 's/FT\/2025\/15/FT\/A/' "$sample" >IT01234567897_00011.xml
sign -in IT01234567897_00011.xml -out IT01234567897_00011.xml.p7m
expect_code 00425 IT01234567897_00011.xml.p7m
printf 'segreto\n' >p12pass
openssl pkcs12 -export -inkey key.pem -in cert.pem -out ditta.p12 -passout file:p12pass
cp "$sample" IT01234567897_00012.xml
"$sdi" sign --p12 ditta.p12 --password-file p12pass IT01234567897_00012.xml >/dev/null \
    || fail "qorvana-sdi sign"
expect_status 0 IT01234567897_00012.xml.p7m

cp "$sample" IT01234567897_00001.zip
expect_status 2 IT01234567897_00001.zip
expect_status 2 missing.xml
expect_status 2 "$sample" missing.xml
expect_status 2
echo "qorvana-check: findings and exit statuses checked"

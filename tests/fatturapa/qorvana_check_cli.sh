#!/usr/bin/env bash
# qorvana-check: 0 when every file passes, 1 with one "FILE: CODE: ..." line per finding,
# 2 for a usage error or a file it cannot read.
set -uo pipefail
tool=$1 data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

expect_status() {  # expected status, then the arguments
    local want=$1; shift
    "$tool" "$@" >"$work/out" 2>"$work/err"
    local got=$?
    [ "$got" -eq "$want" ] || fail "qorvana-check $* gave $got, expected $want: $(cat "$work/out" "$work/err")"
}

expect_status 0 "$data/IT01234567890_FPR01.xml"
[ -s "$work/out" ] && fail "findings for valid files: $(cat "$work/out")"

sed 's#<Numero>FT/2025/15</Numero>#<Numero>FT/A</Numero>#' "$data/IT01234567890_FPR01.xml" >"$work/bad.xml"
expect_status 1 "$data/IT01234567890_FPR01.xml" "$work/bad.xml"
grep -q "^$work/bad.xml: 00425: .*(FatturaElettronicaBody/DatiGenerali/DatiGeneraliDocumento/Numero, riga 57)$" "$work/out" \
    || fail "no 00425 line: $(cat "$work/out")"
[ "$(wc -l <"$work/out")" -eq 1 ] || fail "expected one finding: $(cat "$work/out")"

printf '<FatturaElettronica>' >"$work/broken.xml"
expect_status 1 "$work/broken.xml"
grep -q "^$work/broken.xml: schema: " "$work/out" || fail "no schema finding: $(cat "$work/out")"

expect_status 2 "$work/missing.xml"
expect_status 2 "$data/IT01234567890_FPR01.xml" "$work/missing.xml"
expect_status 2
echo "qorvana-check: exit statuses checked"

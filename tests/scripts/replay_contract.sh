#!/usr/bin/env bash
# The replay's own contract: failures name the line and end with status 1; success prints
# the step count; message boxes are printed and answered; queued answers must be used.
#   replay_contract.sh QORVANA QORVANA_DEMO
. "$(dirname "${BASH_SOURCE[0]}")/check_env.sh"
"$demo" --drive "$work/drive" >/dev/null || exit 1

# check STATUS TEXT SCRIPT: the run ends with STATUS and its output holds TEXT.
check() {
    local status=$1 text=$2 script=$3 out got
    printf '%s\n' "$script" >"$work/s.qrs"
    out=$("$qorvana" --drive "$work/drive" --company 1 --now "06/12/2026 10:00" \
        --print-to "$work/print" --replay "$work/s.qrs" 2>&1)
    got=$?
    if [ "$got" -ne "$status" ] || ! grep -qF -- "$text" <<<"$out"; then
        echo "FAIL: expected status $status and [$text] for:" >&2
        echo "$script" >&2
        echo "got status $got:" >&2
        echo "$out" >&2
        failures=$((failures + 1))
    fi
}

check 0 "replay: 2 steps passed" $'# comment\n\nexpect qoremf.text2(0) "ALFA"\nexpect-title qoremf "Qorvana - Emissione documenti"'
check 1 'line 2: qoremf.text2(0): expected "BETA", found "ALFA"' $'expect qoremf.text2(0) "ALFA"\nexpect qoremf.text2(0) "BETA"'
check 1 "line 1: there is no control qoremf.nope" 'click qoremf.nope'
check 1 "line 1: there is no form qorzzz" 'expect-visible qorzzz'
check 1 "line 1: unknown step frobnicate" 'frobnicate qoremf.nome'
check 1 "line 1: a text is not closed" 'type qoremf.nome "open'
check 1 "line 1: qoremf.bottone(7) is not visible" 'click qoremf.bottone(7)'
check 1 "line 1: qoremf.text2(0) is read-only" 'type qoremf.text2(0) "x"'
check 1 "line 1: unknown key Space" 'key qoremf.nome Space'
check 1 "line 2: 1 queued answer(s) were never used" $'answer Ok\nexpect qoremf.nome ""'
check 1 "does not fit the message" $'answer Yes\nkey qoremf.nome "zz" Enter'
check 0 'message "Attenzione" "Anagrafica non trovata" -> Ok' $'key qoremf.nome "zz" Enter\nexpect-message "Anagrafica non trovata"'
check 0 'message "Attenzione" "Anagrafica non trovata" -> Ok' $'answer Ok\nkey qoremf.nome "zz" Enter'
check 1 "line 2: the program has already ended" $'click qoremf.bottone(9)\nexpect qoremf.nome ""'
check 1 "line 1: qoremf.HScroll1 goes from 1 to 60, not to 61" 'scroll qoremf.HScroll1 61'
check 1 "line 1: qorsel.elenco is not visible" 'pick qorsel.elenco 1'
check 0 "replay: 1 steps passed" 'expect qoremf.bottone(0) "Fattura"'
check 1 "qoremf.nome has not the focus; qoremf.text5 has it" $'focus qoremf.text5\nexpect-focus qoremf.nome'
check 0 "replay: 1 steps passed" 'shot "pictures/start.png"'
[ -s "$work/print/pictures/start.png" ] || { echo "FAIL: no picture" >&2; failures=$((failures + 1)); }

[ $failures -eq 0 ] && echo "replay contract: all passed"
exit $((failures > 0))

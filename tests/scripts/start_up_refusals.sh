#!/usr/bin/env bash
# The program refuses to start, with a message and exit status 1, on a wrong company number,
# a missing company folder, and a company whose counters file is missing while invoices exist.
#   start_up_refusals.sh QORVANA QORVANA_DEMO
. "$(dirname "${BASH_SOURCE[0]}")/check_env.sh"
"$demo" --drive "$work/drive" >/dev/null || exit 1
printf 'expect qoremf.text2(0) "ALFA"\n' >"$work/ok.qrs"

# expect_refusal TEXT ARGS...: the program prints a message holding TEXT and exits with 1.
expect_refusal() {
    local text=$1
    shift
    local out status
    out=$("$qorvana" --drive "$work/drive" --replay "$work/ok.qrs" "$@" 2>&1)
    status=$?
    if [ $status -ne 1 ] || ! grep -qF "$text" <<<"$out"; then
        echo "FAIL ($*): status $status, output:" >&2
        echo "$out" >&2
        failures=$((failures + 1))
    fi
}

expect_refusal "Numero della ditta non valido" "QORVAN"
expect_refusal "Numero della ditta non valido" "QORVANx1y"
expect_refusal "Numero della ditta non valido" --company 0
# The message names the suite's folder; the log, the folder looked for on this machine.
expect_refusal 'qoraz0.007 non esiste." -> Ok' --company 7
# The system's own text, in the desktop's language.
no_such_file=$(python3 -c 'import errno, locale, os; locale.setlocale(locale.LC_ALL, ""); print(os.strerror(errno.ENOENT))')
expect_refusal "cartella della ditta $work/drive/qorwin/qorwin/qoraz0.007: $no_such_file" --company 7
expect_refusal "La cartella della ditta" "QORVAN012"

company=$work/drive/qorwin/qorwin/qoraz0.001
head -c 522 /dev/zero >"$company/qorvana.fte"
mv "$company/qorvana.tot" "$work/tot.saved"
expect_refusal "qorvana.tot" --company 1
[ -e "$company/qorvana.tot" ] && { echo "FAIL: qorvana.tot was created" >&2; failures=$((failures + 1)); }

# The suite's command line selects the company when --company is absent.
mv "$work/tot.saved" "$company/qorvana.tot"
"$qorvana" --drive "$work/drive" --replay "$work/ok.qrs" "QORVAN001" >/dev/null 2>&1 ||
    { echo "FAIL: command line QORVAN001 did not start company 1" >&2; failures=$((failures + 1)); }

[ $failures -eq 0 ] && echo "start-up refusals: all passed"
exit $((failures > 0))

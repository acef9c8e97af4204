#!/usr/bin/env bash
# The print image does not depend on the printer: the demo invoice printed with --print-to and
# on a workstation without any printer (CUPS_SERVER pointing at no server) gives the same
# c:\qordoc.rto byte for byte, and the missing printer is told.
#   print_without_printer.sh QORVANA QORVANA_DEMO
. "$(dirname "${BASH_SOURCE[0]}")/check_env.sh"
script=$here/demo.qrs
cd "$work" || exit 1

# run NAME SCRIPT [OPTION...]: the script on a demo company of its own, in the drive NAME.
run() {
    "$demo" --drive "$work/$1" --einvoices-all 1 >/dev/null || exit 1
    "$qorvana" --drive "$work/$1" --company 1 --now "06/12/2026 10:00" "${@:3}" \
        --replay "$2" >"$work/$1.out" 2>&1 || { cat "$work/$1.out" >&2; exit 1; }
}
mkdir -p "$work/printer/print"
run printer "$script" --print-to "$work/printer/print"
# Without a printer the print question is followed by the message that says so.
sed '0,/^answer Yes$/s//answer Yes\nanswer Ok/' "$script" >"$work/none.qrs"
CUPS_SERVER=$work/no-cups.sock run none "$work/none.qrs"

if ! cmp "$work/printer/qordoc.rto" "$work/none/qordoc.rto"; then
    echo "FAIL: the print image differs without a printer" >&2
    diff <(tr -d '\r' <"$work/printer/qordoc.rto") <(tr -d '\r' <"$work/none/qordoc.rto") | head >&2
    failures=1
fi
if ! grep -q "Nessuna stampante è installata" "$work/none.out"; then
    echo "FAIL: the missing printer was not told" >&2
    failures=1
fi
[ $failures -eq 0 ] && echo "print without printer: same image, printer failure told"
exit $failures

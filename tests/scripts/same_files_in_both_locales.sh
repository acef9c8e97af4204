#!/usr/bin/env bash
# The demo operator script under C.UTF-8 and on an Italian desktop (LANG=it_IT.UTF-8, where the
# decimal point is ","): the records, line files, print image and XML written are the same byte
# for byte, and the printed PDF and qorxpdf's PDF of the print image hold the same text.
#   same_files_in_both_locales.sh QORVANA QORVANA_DEMO QORXPDF
. "$(dirname "${BASH_SOURCE[0]}")/check_env.sh"
qorxpdf=$3
cd "$work" || exit 1

# run LOCALE: the demo company made, the script replayed and the print image turned into a
# PDF, all under LOCALE, in the drive LOCALE.
run() {
    local drive=$work/$1
    mkdir -p "$drive/print"
    export LANG=$1 LC_ALL=$1
    "$demo" --drive "$drive" --einvoices-all 1 >/dev/null || exit 1
    "$qorvana" --drive "$drive" --company 1 --now "06/12/2026 10:00" --print-to "$drive/print" \
        --replay "$here/demo.qrs" >"$work/$1.out" 2>&1 || { cat "$work/$1.out" >&2; exit 1; }
    "$qorxpdf" --drive "$drive" \
        '\qorwin\qorwin\qoraz0.001\qorvana.lxf,c:\qordoc.rto,c:\pdf\demo.pdf,***' \
        >>"$work/$1.out" 2>&1 || { cat "$work/$1.out" >&2; exit 1; }
    for pdf in "$drive/print/print-1.pdf" "$drive/pdf/demo.pdf"; do
        pdftotext "$pdf" "$pdf.txt" && rm "$pdf"
    done
    unset LANG LC_ALL
}
run C.UTF-8
run it_IT.UTF-8

[ -s C.UTF-8/qordoc.rto ] || { echo "no print image written" >&2; failures=$((failures + 1)); }
# Every file the two runs wrote, the PDFs as their text; qorxpdf's log holds the moment.
if ! diff -r -x qorxpdf.log C.UTF-8 it_IT.UTF-8 >differences; then
    echo "the files differ between C.UTF-8 and it_IT.UTF-8:" >&2
    head -n 40 differences >&2
    failures=$((failures + 1))
fi
# The form drawing reaches the print: its captions are in the Italian desktop's PDFs.
for text in it_IT.UTF-8/print/print-1.pdf.txt it_IT.UTF-8/pdf/demo.pdf.txt; do
    grep -q "Totale documento" "$text" || { echo "$text: no form captions" >&2; failures=$((failures + 1)); }
done
exit $((failures > 0))

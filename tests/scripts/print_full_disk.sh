#!/usr/bin/env bash
# A print that the disk cannot take whole is told and leaves no file: the demo invoice printed
# with --print-to into a file system of 16 KB, smaller than the PDF (a mount namespace of its
# own; skipped without one).
#   print_full_disk.sh QORVANA QORVANA_DEMO
. "$(dirname "${BASH_SOURCE[0]}")/check_env.sh"
script=$here/demo.qrs
cd "$work" || exit 1
if ! unshare --mount true 2>/dev/null; then
    echo "print full disk: skipped, no mount namespace"
    exit 77
fi

"$demo" --drive "$work/drive" --einvoices-all 1 >/dev/null || exit 1
mkdir -p "$work/drive/print"
# The failure follows the print question.
sed '0,/^answer Yes$/s//answer Yes\nanswer Ok/' "$script" >"$work/full.qrs"
# shellcheck disable=SC2016
unshare --mount --propagation private bash -c '
    mount -t tmpfs -o size=16k tmpfs "$1/drive/print" || exit 1
    "$2" --drive "$1/drive" --company 1 --now "06/12/2026 10:00" --print-to "$1/drive/print" \
        --replay "$1/full.qrs"
    status=$?
    ls -A "$1/drive/print" >"$1/left"
    exit $status' _ "$work" "$qorvana" >"$work/out" 2>&1
status=$?

if [ $status -ne 0 ]; then
    cat "$work/out" >&2
    echo "FAIL: the replay did not pass" >&2
    failures=1
fi
if ! grep -q 'print-1.pdf non è stato scritto: il disco è pieno (liberare spazio e riprovare). Il documento non è stato stampato.' "$work/out"; then
    echo "FAIL: the failed print was not told" >&2
    grep '^message' "$work/out" >&2
    failures=1
fi
if [ -s "$work/left" ]; then
    echo "FAIL: the print left files: $(cat "$work/left")" >&2
    failures=1
fi
[ $failures -eq 0 ] && echo "print full disk: told, nothing left"
exit $failures

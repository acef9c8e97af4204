#!/usr/bin/env bash
# The program starts without the libraries only some actions need: it does not link Qt Test
# (the replay's), libcurl, libssl, libcrypto or libxml2 (the e-invoice channel's), which come
# with its plugins; both plugins are where the program looks for them, beside it; and started
# on a company as an operator starts it, it shows its start form without loading any of them,
# nor an image-format plugin (its window draws no picture).
#   lean_start.sh QORVANA QORVANA_DEMO
. "$(dirname "${BASH_SOURCE[0]}")/check_env.sh"
needed=$(readelf -d "$qorvana" | grep NEEDED)
for library in libQt6Test libcurl libssl libcrypto libxml2; do
    if grep -q "\[$library" <<<"$needed"; then
        echo "FAIL: the program links $library" >&2
        failures=$((failures + 1))
    fi
done
for plugin in libqorvana_einvoices.so libqorvana_replay.so; do
    if [ ! -f "$(dirname "$qorvana")/plugins/$plugin" ]; then
        echo "FAIL: $plugin is not in plugins/ beside the program" >&2
        failures=$((failures + 1))
    fi
done

"$demo" --drive "$work/drive" >/dev/null || exit 1
shown=$(LD_DEBUG=files LD_DEBUG_OUTPUT="$work/loaded" "$qorvana" --drive "$work/drive" \
    --company 1 --check-start)
status=$?
if [ $status -ne 0 ] || [ "$shown" != "shown" ]; then
    echo "FAIL: --check-start said \"$shown\" (status $status)" >&2
    failures=$((failures + 1))
fi
for library in libQt6Test libcurl libssl libcrypto libxml2 libqorvana_einvoices libqorvana_replay \
    imageformats/; do
    if grep -q "file=[^ ]*$library" "$work"/loaded.*; then
        echo "FAIL: starting the program loads $library" >&2
        failures=$((failures + 1))
    fi
done
[ $failures -eq 0 ] && echo "lean start: all passed"
exit $((failures > 0))

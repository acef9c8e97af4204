#!/usr/bin/env bash
# The program starts without the libraries only some actions need: it does not link Qt Test
# (the replay's), libcurl, libssl or libcrypto (the e-invoice channel's), which come with its
# plugins; and both plugins are where the program looks for them, beside it.
#   lean_start.sh QORVANA QORVANA_DEMO
. "$(dirname "${BASH_SOURCE[0]}")/check_env.sh"
needed=$(readelf -d "$qorvana" | grep NEEDED)
for library in libQt6Test libcurl libssl libcrypto; do
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
[ $failures -eq 0 ] && echo "lean start: all passed"
exit $((failures > 0))

#!/usr/bin/env bash
# Nothing was posted.
set -euo pipefail
[ ! -s "$COMPANY/qorvana.fte" ] || { echo "a document was posted" >&2; exit 1; }
echo "numbering_counter_range: nothing posted"

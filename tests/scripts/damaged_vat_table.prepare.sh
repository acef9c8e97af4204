#!/usr/bin/env bash
# The company's code tables qorvana.tab are missing.
set -euo pipefail
rm "$COMPANY/qorvana.tab"

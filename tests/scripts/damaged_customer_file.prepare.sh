#!/usr/bin/env bash
# The customer file qorvana.cli is missing; its index is whole.
set -euo pipefail
rm "$COMPANY/qorvana.cli"

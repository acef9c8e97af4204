#!/usr/bin/env bash
# Validates FatturaPA 1.0 files against the published schema, offline (the schema imports the
# local copy of the XML-Signature schema beside it).
#   validate_v10.sh FILE.xml...
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
xmllint --nonet --noout --schema "$here/../../fatturapa/schemas/fatturapa_v1.0.xsd" "$@"

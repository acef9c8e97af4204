#!/usr/bin/env bash
# Validates FatturaPA 1.0 files against the published schema, offline: in a scratch folder the
# schema's import of the XML-Signature schema is pointed at the local copy.
#   validate_v10.sh FILE.xml...
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/fpa-schema.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
cp "$here/../../fatturapa/schemas/xmldsig-core-schema.xsd" "$scratch/"
sed 's#schemaLocation="http://www.w3.org/TR/2002/REC-xmldsig-core-20020212/xmldsig-core-schema.xsd"#schemaLocation="xmldsig-core-schema.xsd"#' \
    "$here/schemas/fatturapa_v1.0.xsd" >"$scratch/fatturapa_v1.0.xsd"
xmllint --nonet --noout --schema "$scratch/fatturapa_v1.0.xsd" "$@"

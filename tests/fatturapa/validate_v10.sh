#!/usr/bin/env bash
# Validates FatturaPA 1.0 files against the published schema, offline: the schema's import of
# the XML-Signature schema is pointed at the local copy in a scratch folder.
#   validate_v10.sh FILE.xml...
set -euo pipefail
schemas=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/schemas
scratch=$(mktemp -d "${TMPDIR:-/tmp}/fpa-schema.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
cp "$schemas/xmldsig-core-schema.xsd" "$scratch/"
sed 's#schemaLocation="http://www.w3.org/TR/2002/REC-xmldsig-core-20020212/xmldsig-core-schema.xsd"#schemaLocation="xmldsig-core-schema.xsd"#' \
    "$schemas/fatturapa_v1.0.xsd" >"$scratch/fatturapa_v1.0.xsd"
xmllint --nonet --noout --schema "$scratch/fatturapa_v1.0.xsd" "$@"

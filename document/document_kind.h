#pragma once
// What kind of document is being issued, beyond the kind the start form chose: the rules of a
// credit note apply to the kind "nota credito" and to an electronic invoice of type TD04 alike.

#include <string>

#include "core/session_codes.h"

namespace qorvana {

// The credit-note rules apply: kind 1, or an electronic invoice (kind 7) of type TD04. Every
// rule that treats a credit note apart (stock, journal entry, print caption, stamp duty) asks
// this.
bool IsCreditNote(DocumentKind documentKind, const std::string& fpaDocumentType);

}  // namespace qorvana

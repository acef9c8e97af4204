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

// The document as the operator names it after an article ("la", "della"): "fattura n. 15 del
// 06/12/2026 a ALFA SRL", "nota di credito n. 3 ...".
std::string DocumentTitle(DocumentKind documentKind, const std::string& fpaDocumentType,
                          const std::string& number, const std::string& date,
                          const std::string& customer);

}  // namespace qorvana

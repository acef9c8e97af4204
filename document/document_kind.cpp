#include "document/document_kind.h"

#include "core/text.h"

namespace qorvana {

bool IsCreditNote(DocumentKind documentKind, const std::string& fpaDocumentType) {
    return documentKind == DocumentKind::CreditNote ||
           (documentKind == DocumentKind::ElectronicInvoice && Trim(fpaDocumentType) == "TD04");
}

}  // namespace qorvana

#include "document/document_kind.h"

#include "core/text.h"

namespace qorvana {

bool IsCreditNote(DocumentKind documentKind, const std::string& fpaDocumentType) {
    return documentKind == DocumentKind::CreditNote ||
           (documentKind == DocumentKind::ElectronicInvoice && Trim(fpaDocumentType) == "TD04");
}

std::string DocumentTitle(DocumentKind documentKind, const std::string& fpaDocumentType,
                          const std::string& number, const std::string& date,
                          const std::string& customer) {
    return std::string(IsCreditNote(documentKind, fpaDocumentType) ? "nota di credito"
                                                                   : "fattura") +
           " n. " + Trim(number) + " del " + Trim(date) + " a " + Trim(customer);
}

}  // namespace qorvana

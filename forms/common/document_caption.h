#pragma once
// The caption of the body and header windows, by the kind of document being issued.

#include <QString>

#include "core/session_codes.h"

namespace qorvana {

// An invoice or credit note keeps its caption when it has an e-invoice (the e-invoices to
// every customer); only the documents for a public administration (kind 7) are "fatturaPA".
inline QString DocumentCaption(DocumentKind kind, int fpaState) {
    if (kind == DocumentKind::ElectronicInvoice && fpaState != kFpaOrdinary)
        return QStringLiteral("Emissione fatturaPA");
    if (kind == DocumentKind::CreditNote) return QStringLiteral("Emissione nota credito");
    return QStringLiteral("Emissione fattura");
}

}  // namespace qorvana

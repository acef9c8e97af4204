#pragma once
// The caption of the body and header windows, by the kind of document being issued.

#include <QString>

#include "core/session_codes.h"

namespace qorvana {

inline QString DocumentCaption(DocumentKind kind, int fpaState) {
    if (fpaState != kFpaOrdinary) return QStringLiteral("Emissione fatturaPA");
    if (kind == DocumentKind::CreditNote) return QStringLiteral("Emissione nota credito");
    return QStringLiteral("Emissione fattura");
}

}  // namespace qorvana

#pragma once
// What the e-invoices to every customer change in the amounts of a document: split payment
// (the public administration pays the VAT to the treasury, so the customer owes the amount
// without VAT) and the virtual stamp duty (2,00 on a document without VAT above 77,47, added
// to what the customer pays when the company charges it).

#include "core/money.h"
#include "document/document_draft.h"

namespace qorvana {

inline constexpr double kStampDuty = 2.00;
inline constexpr double kStampDutyThreshold = 77.47;

// A document without VAT whose total exceeds 77,47.
bool StampDutyDue(const DocumentFigures& figures, const Money& money);

// The document's e-invoice is under split payment (EsigibilitaIVA "S").
bool SplitPayment(const DocumentDraft& draft);
// The stamp duty of the document's e-invoice (0 when none).
double StampDutyOf(const DocumentDraft& draft, const Money& money);
// The stamp duty added to what the customer pays (0 when not charged).
double StampDutyCharged(const DocumentDraft& draft, const Money& money);
// What the customer pays: the net to pay, less the VAT under split payment, plus the stamp
// duty charged.
double AmountDue(const DocumentDraft& draft, const Money& money);

}  // namespace qorvana

#pragma once
// What the e-invoices to every customer change in the amounts of a document: split payment
// (the public administration pays the VAT to the treasury, so the customer owes the amount
// without VAT) and the virtual stamp duty (2,00 when the amounts not subject to VAT that bear
// it exceed 77,47, whatever else the document holds: docs/einvoice-rules.md). A
// stamp duty the company charges to the customer is part of the document: an amount excluded
// from VAT (art. 15 DPR 633/72) in the slot of its exemption entry, so that the totals, the
// stored record, the print, the e-invoice and the journal entry all carry it, once.

#include "core/money.h"
#include "core/session_codes.h"
#include "document/document_draft.h"

namespace qorvana {

inline constexpr double kStampDuty = 2.00;
inline constexpr double kStampDutyThreshold = 77.47;

// The amounts of the exemption entries that bear the duty (`terms.stampDutyEntries`), the
// stamp duty charged left out, exceed 77,47.
bool StampDutyDue(const DocumentFigures& figures, const EInvoiceTerms& terms, const Money& money);
// Brings the stamp duty charged to the customer in `figures` to what the document owes: 2,00
// outside VAT in the slot of `terms.stampDutyEntry`, in the totals and in `stampDuty`, when the
// company charges it, has an entry for it and the document owes it; otherwise none (a duty
// charged before is taken out again). A credit note (IsCreditNote) is never charged: the duty
// would enlarge the credit instead of being paid by the customer. True when the figures
// changed.
bool ChargeStampDuty(DocumentFigures& figures, bool creditNote, const EInvoiceTerms& terms,
                     const Money& money);

// The document's e-invoice is under split payment (EsigibilitaIVA "S").
bool SplitPayment(const DocumentDraft& draft);
// The stamp duty of the document's e-invoice (0 when none).
double StampDutyOf(const DocumentDraft& draft, const Money& money);
// What the customer pays: the net to pay (a stamp duty charged included), less the VAT under
// split payment.
double AmountDue(const DocumentDraft& draft, const Money& money);

}  // namespace qorvana

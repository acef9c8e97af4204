#include "document/einvoice_amounts.h"

namespace qorvana {

bool StampDutyDue(const DocumentFigures& f, const Money& money) {
    return money.RoundAmount(f.vatTotal()) == 0 &&
           money.RoundAmount(f.documentTotal - f.stampDuty) > kStampDutyThreshold;
}

void ChargeStampDuty(DocumentFigures& f, DocumentKind kind, const EInvoiceTerms& terms,
                     const Money& money) {
    const int entry = terms.stampDutyEntry;
    if (kind == DocumentKind::CreditNote || !terms.everyCustomer || !terms.chargeStampDuty ||
        entry < 1 || entry > 12 || f.stampDuty != 0 || !StampDutyDue(f, money))
        return;
    f.breakdown[static_cast<std::size_t>(entry)][2] += kStampDuty;
    f.taxableTotal += kStampDuty;
    f.documentTotal += kStampDuty;
    f.stampDuty = kStampDuty;
}

bool SplitPayment(const DocumentDraft& d) {
    return d.einvoice.everyCustomer && d.einvoice.customer.splitPayment;
}

double StampDutyOf(const DocumentDraft& d, const Money& money) {
    return d.einvoice.everyCustomer && StampDutyDue(d.figures, money) ? kStampDuty : 0;
}

double AmountDue(const DocumentDraft& d, const Money& money) {
    const DocumentFigures& f = d.figures;
    if (!d.einvoice.everyCustomer) return f.netToPay();
    return money.RoundAmount(f.netToPay() - (SplitPayment(d) ? f.vatTotal() : 0));
}

}  // namespace qorvana

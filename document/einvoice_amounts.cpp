#include "document/einvoice_amounts.h"

namespace qorvana {

bool StampDutyDue(const DocumentFigures& f, const EInvoiceTerms& terms, const Money& money) {
    double bearing = 0;
    for (int entry = 1; entry <= 12; ++entry) {
        const auto e = static_cast<std::size_t>(entry);
        if (!terms.stampDutyEntries[e]) continue;
        bearing += f.breakdown[e][2] - (entry == terms.stampDutyEntry ? f.stampDuty : 0);
    }
    return money.RoundAmount(bearing) > kStampDutyThreshold;
}

void ChargeStampDuty(DocumentFigures& f, DocumentKind kind, const EInvoiceTerms& terms,
                     const Money& money) {
    const int entry = terms.stampDutyEntry;
    if (kind == DocumentKind::CreditNote || !terms.everyCustomer || !terms.chargeStampDuty ||
        entry < 1 || entry > 12 || f.stampDuty != 0 || !StampDutyDue(f, terms, money))
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
    return d.einvoice.everyCustomer && StampDutyDue(d.figures, d.einvoice, money) ? kStampDuty : 0;
}

double AmountDue(const DocumentDraft& d, const Money& money) {
    const DocumentFigures& f = d.figures;
    if (!d.einvoice.everyCustomer) return f.netToPay();
    return money.RoundAmount(f.netToPay() - (SplitPayment(d) ? f.vatTotal() : 0));
}

}  // namespace qorvana

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

bool ChargeStampDuty(DocumentFigures& f, bool creditNote, const EInvoiceTerms& terms,
                     const Money& money) {
    const int entry = terms.stampDutyEntry;
    if (entry < 1 || entry > 12) return false;
    const bool charged = !creditNote && terms.everyCustomer && terms.chargeStampDuty &&
                         StampDutyDue(f, terms, money);
    const double change = (charged ? kStampDuty : 0) - f.stampDuty;
    if (change == 0) return false;
    f.breakdown[static_cast<std::size_t>(entry)][2] += change;
    f.taxableTotal += change;
    f.documentTotal += change;
    f.stampDuty += change;
    return true;
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

#include "document/einvoice_amounts.h"

namespace qorvana {

bool StampDutyDue(const DocumentFigures& f, const Money& money) {
    return money.RoundAmount(f.vatTotal()) == 0 &&
           money.RoundAmount(f.documentTotal) > kStampDutyThreshold;
}

bool SplitPayment(const DocumentDraft& d) {
    return d.einvoice.everyCustomer && d.einvoice.customer.splitPayment;
}

double StampDutyOf(const DocumentDraft& d, const Money& money) {
    return d.einvoice.everyCustomer && StampDutyDue(d.figures, money) ? kStampDuty : 0;
}

double StampDutyCharged(const DocumentDraft& d, const Money& money) {
    return d.einvoice.chargeStampDuty ? StampDutyOf(d, money) : 0;
}

double AmountDue(const DocumentDraft& d, const Money& money) {
    const DocumentFigures& f = d.figures;
    if (!d.einvoice.everyCustomer) return f.netToPay();
    return money.RoundAmount(f.netToPay() - (SplitPayment(d) ? f.vatTotal() : 0) +
                             StampDutyCharged(d, money));
}

}  // namespace qorvana

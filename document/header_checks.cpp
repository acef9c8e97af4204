#include "document/header_checks.h"

#include "core/civil_date.h"
#include "core/cp1252.h"
#include "document/numbering.h"

namespace qorvana {
namespace {}  // namespace

HeaderCheck CheckHeader(const HeaderEntries& entries, const PaymentTerms& terms,
                        double documentTotal, const Money& money) {
    const auto issued = CivilDate::Parse(entries.documentDate);
    const auto registered = CivilDate::Parse(entries.registrationDate);
    if (!issued) return {HeaderFault::DocumentDate};
    if (!registered) return {HeaderFault::RegistrationDate};
    if (*registered < *issued) return {HeaderFault::RegistrationBeforeIssue};
    if (!terms.offered(entries.paymentTerms + 1) && terms.anyOffered())
        return {HeaderFault::PaymentTerms};
    for (int i = 0; i < 6; ++i) {
        if (IsValidDate(entries.dueDates[i]) != 0 && TypedValue(entries.instalmentAmounts[i]) != 0)
            return {HeaderFault::DueDate, i};
    }
    // The last refusal, so that the operator always meets the date checks first.
    if (DocumentNumberKey(entries.documentNumber).empty() ||
        Utf8Length(entries.documentNumber) > kDocumentNumberLength)
        return {HeaderFault::DocumentNumber};
    double sum = 0;
    for (const auto& amount : entries.instalmentAmounts) sum += TypedValue(amount);
    if (money.RoundAmount(sum) != money.RoundAmount(documentTotal))
        return {HeaderFault::SplitMismatch};
    return {};
}

std::string MessageOf(HeaderFault fault) {
    switch (fault) {
        case HeaderFault::DocumentNumber:
            return "Il numero del documento non è valido";
        case HeaderFault::DocumentDate:
            return "La data del documento non è valida";
        case HeaderFault::RegistrationDate:
            return "La data di registrazione del documento non è valida";
        case HeaderFault::RegistrationBeforeIssue:
            return "La data di registrazione non può precedere la data del documento";
        case HeaderFault::PaymentTerms:
            return "Il tipo di pagamento scelto è vuoto: sceglierne uno dall'elenco";
        case HeaderFault::DueDate:
            return "Una o più date di scadenza non sono valide";
        case HeaderFault::SplitMismatch:
            return "Il frazionamento in scadenze non coincide con il totale della fattura. "
                   "Continuare?";
        case HeaderFault::None:
            break;
    }
    return {};
}

bool HasTaxableSlot(const VatBreakdown& breakdown) {
    for (int slot = 1; slot <= 12; ++slot)
        if (breakdown[slot][0] != 0) return true;
    return false;
}

}  // namespace qorvana

#pragma once
// The checks of the header on confirmation, in the order the operator meets them: issue
// date, registration date, payment condition, due dates, document number, then whether the
// instalments add up to the document total (a question, not a refusal).

#include <array>
#include <string>

#include "core/money.h"
#include "document/document_draft.h"
#include "document/payment_terms.h"

namespace qorvana {

enum class HeaderFault {
    None,
    DocumentDate,
    RegistrationDate,
    RegistrationBeforeIssue,  // registered before the document was issued
    PaymentTerms,             // an empty payment condition while others can be chosen
    DueDate,                  // an instalment with an amount but no valid due date
    DocumentNumber,           // no letter or digit, or longer than the record's 10 characters
    SplitMismatch,            // the instalments do not add up to the total
};

struct HeaderCheck {
    HeaderFault fault = HeaderFault::None;
    int instalment = -1;  // 0..5 for DueDate
};

inline constexpr std::size_t kDocumentNumberLength = 10;

// Checks the header's entries against the payment conditions offered and the amount due
// they are split from.
HeaderCheck CheckHeader(const HeaderEntries& entries, const PaymentTerms& terms,
                        double documentTotal, const Money& money);
// The message shown for a fault (Italian, as the operator reads it).
std::string MessageOf(HeaderFault fault);

// True when the document has a taxable VAT slot: codes 1..12 holding a taxable amount.
bool HasTaxableSlot(const VatBreakdown& breakdown);

}  // namespace qorvana

#pragma once
// Instalments and due dates of a document from its payment condition (see payment_terms.h
// for the condition code). Dates follow the Gregorian calendar, and every computed day is
// kept inside its month, so a computed due date is always a real date.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/civil_date.h"
#include "core/money.h"
#include "document/payment_terms.h"

namespace qorvana {

// The August rule of condition row 1 and the December rule of row 2.
struct PostponeRules {
    bool august = false;
    int augustDay = 0;
    bool december = false;
    int decemberDay = 0;

    static PostponeRules FromTerms(const PaymentTerms& terms);
};

// The date due dates count from: the document date when it is a valid date, else today.
CivilDate DueDateBase(std::string_view documentDate, CivilDate today);

// `months` after `base`; with `endOfMonth` at the end of that month, or on `afterDay` of the
// month after it; then the August and December rules.
CivilDate DueDate(CivilDate base, int months, bool endOfMonth, int afterDay,
                  const PostponeRules& rules);

// Due-date texts of instalments 1 to 6. Instalment 1 always has one; an instalment 2..6
// whose months are 0 gets nullopt: its date and amount are cleared.
std::array<std::optional<std::string>, 6> ComputeDueDates(const PaymentCode& code, CivilDate base,
                                                          const PostponeRules& rules);

// Amounts of instalments 1 to 6: an equal rounded share for each instalment 2..6 in use,
// the rest (with the rounding difference) on instalment 1; nullopt for instalments not in
// use, whose amount this step leaves as it is.
std::array<std::optional<double>, 6> SplitInstalments(const PaymentCode& code, double total,
                                                      const Money& money);

// An instalment amount as the operator types it: plain digits, "," as decimal separator,
// no grouping ("33,34", "100", "33334").
std::string InstalmentText(double amount);

}  // namespace qorvana

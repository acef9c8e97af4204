#include "document/due_dates.h"

#include <algorithm>

#include "core/numbers.h"

namespace qorvana {
namespace {

void AddMonths(CivilDate& date, int months) {
    for (int i = 0; i < months; ++i) {
        if (++date.month > 12) {
            date.month = 1;
            ++date.year;
        }
    }
}

// A day between 1 and the length of the date's month.
void ClampDay(CivilDate& date) {
    date.day = std::clamp(date.day, 1, CivilDate::DaysInMonth(date.year, date.month));
}

}  // namespace

PostponeRules PostponeRules::FromTerms(const PaymentTerms& terms) {
    const PaymentCode row1 = terms.parsed(1);
    const PaymentCode row2 = terms.parsed(2);
    return {row1.postpone, row1.postponedDay, row2.postpone, row2.postponedDay};
}

CivilDate DueDateBase(std::string_view documentDate, CivilDate today) {
    return CivilDate::Parse(documentDate).value_or(today);
}

CivilDate DueDate(CivilDate base, int months, bool endOfMonth, int afterDay,
                  const PostponeRules& rules) {
    CivilDate due = base;
    AddMonths(due, months);
    if (endOfMonth) {
        if (afterDay > 0) {
            due.day = afterDay;
            AddMonths(due, 1);
        } else {
            due.day = 31;
        }
    }
    ClampDay(due);
    if (rules.august && due.month == 8) {
        due.month = 9;
        due.day = rules.augustDay;
        ClampDay(due);
    }
    if (rules.december && due.month == 12) {
        due.month = 1;
        ++due.year;
        due.day = rules.decemberDay;
        ClampDay(due);
    }
    return due;
}

std::array<std::optional<std::string>, 6> ComputeDueDates(const PaymentCode& code, CivilDate base,
                                                          const PostponeRules& rules) {
    std::array<std::optional<std::string>, 6> dates{};
    for (std::size_t i = 0; i < dates.size(); ++i) {
        if (i > 0 && code.months[i] <= 0) continue;
        dates[i] = DueDate(base, code.months[i], code.endOfMonth, code.afterDay, rules).text();
    }
    return dates;
}

std::array<std::optional<double>, 6> SplitInstalments(const PaymentCode& code, double total,
                                                      const Money& money) {
    const int n = code.instalments();
    const double share = money.RoundAmount(total / n);
    std::array<std::optional<double>, 6> amounts{};
    for (std::size_t i = 1; i < amounts.size(); ++i)
        if (code.months[i] > 0) amounts[i] = share;
    amounts[0] = total - (n - 1) * share;
    return amounts;
}

std::string InstalmentText(double amount) {
    std::string text = PlainNumberText(amount);
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

}  // namespace qorvana

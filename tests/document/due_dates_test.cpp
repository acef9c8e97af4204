#include "document/due_dates.h"

#include <gtest/gtest.h>

namespace qorvana {
namespace {

CivilDate D(const char* text) {
    return CivilDate::Parse(text).value();
}

struct DueDateCase {
    const char* base;
    int months;
    bool endOfMonth;
    int afterDay;
    PostponeRules rules;
    const char* expected;
};

TEST(DueDate, MonthsEndOfMonthAndPostponements) {
    const PostponeRules none{};
    const PostponeRules august5{true, 5, false, 0};
    const PostponeRules august31{true, 31, false, 0};
    const PostponeRules august0{true, 0, false, 0};
    const PostponeRules december10{false, 0, true, 10};
    const DueDateCase cases[] = {
        // months added, day kept inside the month (Gregorian leap years)
        {"31/01/2024", 1, false, 0, none, "29/02/2024"},
        {"31/01/2023", 1, false, 0, none, "28/02/2023"},
        {"31/01/2100", 1, false, 0, none, "28/02/2100"},
        {"31/03/2024", 1, false, 0, none, "30/04/2024"},
        {"31/05/2024", 13, false, 0, none, "30/06/2025"},
        {"10/05/2024", 0, false, 0, none, "10/05/2024"},
        // end of the month, or a day of the month after
        {"15/01/2024", 1, true, 10, none, "10/03/2024"},
        {"31/01/2024", 1, true, 0, none, "29/02/2024"},
        {"10/02/2023", 0, true, 0, none, "28/02/2023"},
        {"30/11/2024", 0, true, 5, none, "05/12/2024"},
        {"30/11/2024", 1, true, 5, none, "05/01/2025"},
        {"15/12/2023", 1, true, 30, none, "29/02/2024"},  // day kept inside February
        // August rule of row 1, December rule of row 2
        {"15/06/2024", 2, true, 0, august5, "05/09/2024"},
        {"15/06/2024", 2, true, 0, august31, "30/09/2024"},
        {"15/06/2024", 2, true, 0, august0, "01/09/2024"},
        {"15/07/2024", 1, false, 0, august5, "05/09/2024"},
        {"15/07/2024", 1, false, 0, december10, "15/08/2024"},
        {"15/11/2024", 1, false, 0, december10, "10/01/2025"},
        {"15/10/2024", 1, true, 5, december10, "10/01/2025"},
        {"15/11/2024", 2, false, 0, december10, "15/01/2025"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.base << " + " << c.months << (c.endOfMonth ? " F " : " ") << c.afterDay);
        EXPECT_EQ(DueDate(D(c.base), c.months, c.endOfMonth, c.afterDay, c.rules).text(),
                  c.expected);
    }
}

TEST(DueDate, BaseIsTheDocumentDateWhenValidElseToday) {
    const CivilDate today = D("06/12/2026");
    EXPECT_EQ(DueDateBase("31/01/2024", today).text(), "31/01/2024");
    EXPECT_EQ(DueDateBase("30/02/2024", today).text(), "06/12/2026");
    EXPECT_EQ(DueDateBase("5/1/2024", today).text(), "06/12/2026");
}

TEST(PaymentCode, FixedPositions) {
    // Six 3-digit months, "F" (end of month), day after 010, mode 2, postpone 1, day 05.
    const PaymentCode p = PaymentCode::Parse("001002003004005006F0102105");
    EXPECT_EQ(p.months, (std::array<int, 6>{1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(p.endOfMonth);
    EXPECT_EQ(p.afterDay, 10);
    EXPECT_EQ(p.paymentModeDigit, 2);
    EXPECT_TRUE(p.postpone);
    EXPECT_EQ(p.postponedDay, 5);
    EXPECT_EQ(p.instalments(), 6);

    const PaymentCode blanks = PaymentCode::Parse("  1     3");
    EXPECT_EQ(blanks.months, (std::array<int, 6>{1, 0, 3, 0, 0, 0}));
    EXPECT_FALSE(blanks.endOfMonth);
    EXPECT_FALSE(blanks.postpone);
    EXPECT_EQ(blanks.instalments(), 2);

    const PaymentCode empty = PaymentCode::Parse("");
    EXPECT_EQ(empty.instalments(), 1);
    EXPECT_EQ(empty.paymentModeDigit, 0);
}

TEST(PaymentTerms, RowsTrimmedRightOnlyAndListEntries) {
    std::array<std::array<std::string, 2>, PaymentTerms::kTerms> rows{};
    rows[0] = {"  Rimessa diretta  ", "000000000000000000 000 105   "};
    rows[1] = {"30 gg f.m.", " 01000000000000000F000"};
    rows[59] = {"Ultima", "001"};
    const PaymentTerms terms = PaymentTerms::FromRows(rows);
    EXPECT_EQ(terms.description(1), "Rimessa diretta");
    EXPECT_EQ(terms.code(2), " 01000000000000000F000");  // a leading blank keeps positions
    EXPECT_EQ(terms.parsed(2).months[0], 1);
    EXPECT_TRUE(terms.parsed(2).endOfMonth);
    EXPECT_EQ(terms.description(60), "Ultima");
    EXPECT_EQ(terms.description(61), "");
    EXPECT_EQ(terms.code(0), "");

    const PostponeRules rules = PostponeRules::FromTerms(terms);
    EXPECT_TRUE(rules.august);
    EXPECT_EQ(rules.augustDay, 5);
    EXPECT_FALSE(rules.december);

    const std::pair<int, int> entries[] = {{1, 0}, {2, 1}, {60, 59}, {0, 0}, {61, 0}, {-3, 0}};
    for (auto [condition, entry] : entries) EXPECT_EQ(PaymentTerms::ListEntryOf(condition), entry);
}

TEST(ComputeDueDates, UsedInstalmentsGetDatesOthersAreCleared) {
    const auto gap = ComputeDueDates(PaymentCode::Parse("001000003"), D("31/01/2024"), {});
    EXPECT_EQ(gap[0], "29/02/2024");
    EXPECT_FALSE(gap[1].has_value());
    EXPECT_EQ(gap[2], "30/04/2024");
    for (int i = 3; i < 6; ++i) EXPECT_FALSE(gap[i].has_value());
    EXPECT_EQ(ComputeDueDates(PaymentCode::Parse(""), D("10/02/2023"), {})[0], "10/02/2023");

    const auto six = ComputeDueDates(PaymentCode::Parse("001002003004005006"), D("15/08/2024"),
                                     {false, 0, true, 7});
    const char* expected[] = {"15/09/2024", "15/10/2024", "15/11/2024",
                              "07/01/2025", "15/01/2025", "15/02/2025"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(six[i], expected[i]);
}

struct SplitCase {
    const char* code;
    double total;
    bool euro;
    std::array<const char*, 6> texts;  // nullptr: left as it is
};

TEST(SplitInstalments, EqualSharesDifferenceOnTheFirst) {
    const SplitCase cases[] = {
        {"", 123.45, true, {"123,45", nullptr, nullptr, nullptr, nullptr, nullptr}},
        {"001000003", 100, true, {"50", nullptr, "50", nullptr, nullptr, nullptr}},
        {"001002003004005006", 100, true, {"16,65", "16,67", "16,67", "16,67", "16,67", "16,67"}},
        {"001002003", 10, true, {"3,34", "3,33", "3,33", nullptr, nullptr, nullptr}},
        {"001002", 0.05, true, {"0,02", "0,03", nullptr, nullptr, nullptr, nullptr}},
        {"001002003", 100000, false, {"33334", "33333", "33333", nullptr, nullptr, nullptr}},
        {"001002", 1001, false, {"500", "501", nullptr, nullptr, nullptr, nullptr}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.code << " " << c.total);
        const auto amounts =
            SplitInstalments(PaymentCode::Parse(c.code), c.total, Money(c.euro, 2));
        for (int i = 0; i < 6; ++i) {
            if (c.texts[i] == nullptr) {
                EXPECT_FALSE(amounts[i].has_value()) << i;
            } else {
                ASSERT_TRUE(amounts[i].has_value()) << i;
                EXPECT_EQ(InstalmentText(*amounts[i]), c.texts[i]) << i;
            }
        }
    }
}

}  // namespace
}  // namespace qorvana

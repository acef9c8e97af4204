#include "document/header_checks.h"

#include <gtest/gtest.h>

namespace qorvana {
namespace {

HeaderEntries Valid() {
    HeaderEntries e;
    e.documentNumber = "15";
    e.documentDate = "15/01/2024";
    e.registrationDate = "15/01/2024";
    e.paymentTerms = 0;
    e.dueDates[0] = "15/02/2024";
    e.instalmentAmounts[0] = "100";
    return e;
}

// Conditions 1 and 3 can be chosen, 2 is empty.
PaymentTerms Terms() {
    std::array<std::array<std::string, 2>, PaymentTerms::kTerms> rows{};
    rows[0] = {"Rimessa diretta", "000"};
    rows[2] = {"Bonifico 30 gg", "001"};
    return PaymentTerms::FromRows(rows);
}

// Each fault, and the first when there are several (a registration before the issue and an
// instalment's amount without its due date: header.qrs).
TEST(CheckHeader, FaultsInTheirOrder) {
    struct Case {
        const char* what;
        void (*change)(HeaderEntries&);
        HeaderFault fault;
        int instalment;
    };
    // clang-format off
    const Case cases[] = {
        {"valid", [](HeaderEntries&) {}, HeaderFault::None, -1},
        {"empty number", [](HeaderEntries& e) { e.documentNumber = "  "; },
         HeaderFault::DocumentNumber, -1},
        {"11-character number", [](HeaderEntries& e) { e.documentNumber = "2024/000015"; },
         HeaderFault::DocumentNumber, -1},
        {"10 characters with an accent", [](HeaderEntries& e) { e.documentNumber = "2024/0001à"; },
         HeaderFault::None, -1},
        {"bad issue date before an empty number",
         [](HeaderEntries& e) { e.documentNumber = ""; e.documentDate = "30/02/2024"; },
         HeaderFault::DocumentDate, -1},
        {"invalid due date before an empty number",
         [](HeaderEntries& e) { e.documentNumber = ""; e.dueDates[0] = ""; },
         HeaderFault::DueDate, 0},
        {"30/02/2024 before a bad registration date",
         [](HeaderEntries& e) { e.documentDate = "30/02/2024"; e.registrationDate = ""; },
         HeaderFault::DocumentDate, -1},
        {"bad registration date", [](HeaderEntries& e) { e.registrationDate = "1/1/2024"; },
         HeaderFault::RegistrationDate, -1},
        {"registered the year after", [](HeaderEntries& e) { e.registrationDate = "02/01/2025"; },
         HeaderFault::None, -1},
        {"empty payment condition before an invalid due date",
         [](HeaderEntries& e) { e.paymentTerms = 1; e.dueDates[0] = ""; },
         HeaderFault::PaymentTerms, -1},
        {"no payment condition chosen", [](HeaderEntries& e) { e.paymentTerms = -1; },
         HeaderFault::PaymentTerms, -1},
        {"33,34 + 33,33 + 33,33",
         [](HeaderEntries& e) { e.instalmentAmounts = {"33,34", "33,33", "33,33", "", "", ""};
                                e.dueDates = {"15/02/2024", "15/03/2024", "15/04/2024"}; },
         HeaderFault::None, -1},
    };
    // clang-format on
    const Money euro(true, 2);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        HeaderEntries e = Valid();
        c.change(e);
        const HeaderCheck check = CheckHeader(e, Terms(), 100, euro);
        EXPECT_EQ(check.fault, c.fault);
        EXPECT_EQ(check.instalment, c.instalment);
    }
    HeaderEntries e = Valid();
    e.paymentTerms = 1;
    EXPECT_EQ(CheckHeader(e, PaymentTerms(), 100, euro).fault, HeaderFault::None);
}

TEST(CheckHeader, TaxableSlots) {
    VatBreakdown breakdown{};
    EXPECT_FALSE(HasTaxableSlot(breakdown));
    breakdown[13][0] = 100;  // codes above 12 do not count
    breakdown[2][2] = 50;    // an exempt amount is not taxable
    EXPECT_FALSE(HasTaxableSlot(breakdown));
    breakdown[12][0] = -10;
    EXPECT_TRUE(HasTaxableSlot(breakdown));
}

}  // namespace
}  // namespace qorvana

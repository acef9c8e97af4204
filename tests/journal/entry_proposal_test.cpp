#include "journal/entry_proposal.h"

#include <gtest/gtest.h>

#include <vector>

namespace qorvana {
namespace {

struct Expected {
    std::string code;
    double dare;
    double avere;
};

ProposalInput Invoice(double taxable, double vat, double outside = 0, double withholding = 0) {
    ProposalInput in;
    in.figures.breakdown[1] = {taxable, vat, 0};
    in.figures.breakdown[2] = {0, 0, outside};
    in.figures.breakdown[13] = {999, 99, 9};  // beyond code 12: not in the entry
    in.figures.withholdingAmount = withholding;
    in.customerAccounts = {"01020002", "05010001", "03020001", "05010002"};
    in.customerName = "ALFA SRL";
    in.documentNumber = "15";
    in.documentDate = "05/03/2025";
    in.withholdingAccountLine = "01040001 Erario c/ritenute subite";
    in.deferredVatAccountLine = std::string(80, ' ') + "03020002";
    return in;
}

TEST(EntryProposal, LinesSidesAndAccounts) {
    struct Case {
        const char* name;
        ProposalInput in;
        std::vector<Expected> lines;
    };
    ProposalInput deferred = Invoice(1000, 220);
    deferred.deferredVat = true;
    ProposalInput splitCredit = Invoice(1000, 220);
    splitCredit.splitPayment = splitCredit.creditNote = true;
    const Case cases[] = {
        {"split payment, credit note: the VAT closed against the customer",
         splitCredit,
         {{"01020002", 0, 1220},
          {"05010001", 1000, 0},
          {"03020001", 220, 0},
          {"03020001", 0, 220},
          {"01020002", 220, 0}}},
        {"withholding",
         Invoice(1000, 220, 0, 200),
         {{"01020002", 1020, 0},
          {"01040001", 200, 0},
          {"05010001", 0, 1000},
          {"03020001", 0, 220}}},
        {"deferred VAT",
         deferred,
         {{"01020002", 1220, 0}, {"05010001", 0, 1000}, {"03020002", 0, 220}}},
        {"negative outside VAT balances",
         Invoice(1000, 220, -50),
         {{"01020002", 1170, 0}, {"05010001", 0, 1000}, {"03020001", 0, 220}, {"05010002", 50, 0}}},
        {"rounded sums",
         Invoice(100.004, 22.006),
         {{"01020002", 122.01, 0}, {"05010001", 0, 100}, {"03020001", 0, 22.01}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const JournalEntry e = ProposeEntry(c.in);
        double balance = 0;
        for (std::size_t k = 0; k < e.lines.size(); ++k) {
            const EntryLine& line = e.lines[k];
            balance += line.dare - line.avere;
            if (k >= c.lines.size()) {
                EXPECT_EQ(line.code, "") << k;
                EXPECT_FALSE(line.hasAmount()) << k;
                continue;
            }
            EXPECT_EQ(line.code, c.lines[k].code) << k;
            EXPECT_DOUBLE_EQ(line.dare, c.lines[k].dare) << k;
            EXPECT_DOUBLE_EQ(line.avere, c.lines[k].avere) << k;
        }
        EXPECT_NEAR(balance, 0, 1e-9);
        EXPECT_EQ(e.date, "05/03/2025");
        EXPECT_EQ(e.reference, "");
    }
}

TEST(EntryProposal, DescriptionTemplate) {
    struct Case {
        std::string descriptionTemplates;
        bool creditNote;
        bool withYear;
        std::string number;
        std::string expected;
    };
    const std::string invoice = "Fattura n. $D del $G - $N";
    const std::string both = invoice + std::string(40 - invoice.size(), ' ') + "NC $D/$P $D";
    const Case cases[] = {
        {both, false, true, "15", "Fattura n. 15/2025 del 05/03/2025 - ALFA SRL"},
        {both, true, false, "15", "NC 15/7 $D"},
        {both, false, false, "1\t5\xC3\xBF", "Fattura n. 15 del 05/03/2025 - ALFA SRL"},
        {"", false, false, "15", ""},
    };
    for (const Case& c : cases) {
        ProposalInput in = Invoice(1000, 220);
        in.descriptionTemplates = c.descriptionTemplates;
        in.creditNote = c.creditNote;
        in.numberWithYear = c.withYear;
        in.documentNumber = c.number;
        in.vatRegisterNumber = " 7 ";
        EXPECT_EQ(ProposeEntry(in).description, c.expected) << c.number;
    }
}

}  // namespace
}  // namespace qorvana

#include "document/document_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/tab_file.h"

namespace qorvana {
namespace {

struct Line {
    double quantity;
    double price;
    int vatCode;
    int sc1 = 0, sc2 = 0;
    double weight = 0;
};

// Expected cells of one slot: {slot, taxable, VAT, outside VAT}.
struct Slot {
    int slot;
    double taxable, vat, outside;
};

struct Document {
    const char* name;
    bool euro, vatInclusive;
    std::vector<Line> lines;
    std::vector<Slot> slots;  // every other slot must be 0
    double taxableTotal, documentTotal;
    double withholding = 0, withholdingBase = 0;
};

// Rates: 1 22% (withholding 20), 2 10% (withholding 4), 3 4%, 4 5%, 5 22%, 6 -100%.
VatTable Rates() {
    VatTable t;
    const double rates[] = {0, 22, 10, 4, 5, 22, -100, 0, 0, 0, 0, 0, 0, 22, 22, 22, 22};
    for (int k = 0; k <= 16; ++k) t.rate[k] = rates[k];
    t.withholding[1] = 20;
    t.withholding[2] = 4;
    return t;
}

LineTable Lines(const std::vector<Line>& lines) {
    LineTable table;
    int n = 1;
    for (const Line& l : lines) {
        DocumentLine& d = table[n++];
        d.quantity = l.quantity;
        d.unitPrice = l.price;
        d.vatCode = static_cast<std::int16_t>(l.vatCode);
        d.discount1 = static_cast<std::int16_t>(l.sc1);
        d.discount2 = static_cast<std::int16_t>(l.sc2);
        d.unitWeight = l.weight;
    }
    return table;
}

// clang-format off
const std::vector<Document> kDocuments = {
    {"quantity 2 at 10.125", true, false, {{2, 10.125, 5}}, {{5, 20.25, 4.46, 0}}, 20.25, 24.71},
    {"quantity 1 at 10.125", true, false, {{1, 10.125, 5}}, {{5, 10.13, 2.23, 0}}, 10.13, 12.36},
    {"negative rounds up", true, false, {{1, -10.125, 5}}, {{5, -10.12, -2.23, 0}}, -10.12, -12.35},
    {"quantity 0: price", true, false, {{0, 12.345, 5}}, {{5, 12.35, 2.72, 0}}, 12.35, 15.07},
    {"marker -9999", true, false, {{-9999, 12.345, 3}}, {{3, 12.35, 0.49, 0}}, 12.35, 12.84},
    {"lire VAT rounded up", false, false, {{1, 1001, 5}}, {{5, 1001, 221, 0}}, 1001, 1222},
    {"lire quantity rounding", false, false, {{3, 333.5, 5}}, {{5, 1001, 221, 0}}, 1001, 1222},
    {"lire negative", false, false, {{1, -1500.5, 2}}, {{2, -1500, -150, 0}}, -1500, -1650,
     -60, -1500},
    {"VAT-inclusive 122 at 22", true, true, {{1, 122, 5}}, {{5, 100, 22, 0}}, 100, 122},
    {"VAT-inclusive, several codes", true, true,
     {{1, 122, 1}, {1, 55.55, 2}, {2, 5.20, 3}, {1, 33.33, 4}, {1, 99.99, 5}},
     {{1, 100, 22, 0}, {2, 50.50, 5.05, 0}, {3, 10, 0.40, 0}, {4, 31.74, 1.59, 0},
      {5, 81.96, 18.03, 0}},
     274.20, 321.27, 22.02, 150.50},
    {"lire VAT-inclusive, several codes", false, true, {{1, 12200, 5}, {1, 1000, 2}, {1, 999, 3}},
     {{5, 10000, 2200, 0}, {2, 909, 91, 0}, {3, 960, 39, 0}}, 11869, 14199, 36, 909},
    {"four codes net of VAT", true, false,
     {{2, 50, 1}, {1, 30, 2, 50}, {4, 2.5, 3}, {1, 19.99, 4}, {1, 7, 16}},
     {{1, 100, 22, 0}, {2, 15, 1.50, 0}, {3, 10, 0.40, 0}, {4, 19.99, 1.00, 7}},
     151.99, 176.89, 20.60, 115},
    {"codes 13..24 are outside VAT", true, false, {{1, 10, 13}, {2, 5, 15}, {1, 3, 24}},
     {{1, 0, 0, 10}, {3, 0, 0, 10}, {12, 0, 0, 3}}, 23, 23},
    {"codes 0 and out of range count as 1", true, false, {{1, 10, 0}, {1, 20, -1}, {1, 30, 25}},
     {{1, 60, 13.20, 0}}, 60, 73.20, 12, 60},
    {"withholding rounded code by code", true, false, {{1, 100.03, 1}, {1, 50.07, 2}},
     {{1, 100.03, 22.01, 0}, {2, 50.07, 5.01, 0}}, 150.10, 177.12, 22.01, 150.10},
    {"rate -100 counts as 0 when VAT-inclusive", true, true, {{1, 50, 6}}, {{6, 50, 0, 0}}, 50, 50},
};
// clang-format on

TEST(RecomputeDocument, Documents) {
    const VatTable vat = Rates();
    for (const Document& d : kDocuments) {
        SCOPED_TRACE(d.name);
        const Money money(d.euro, 2);
        const DocumentFigures f = RecomputeDocument(Lines(d.lines), vat, d.vatInclusive, money);
        VatBreakdown expected{};
        for (const Slot& s : d.slots) expected[s.slot] = {s.taxable, s.vat, s.outside};
        for (int k = 1; k <= 16; ++k)
            for (int c = 0; c < 3; ++c)
                EXPECT_DOUBLE_EQ(f.breakdown[k][c], expected[k][c]) << "slot " << k << " col " << c;
        EXPECT_DOUBLE_EQ(f.taxableTotal, d.taxableTotal);
        EXPECT_DOUBLE_EQ(f.documentTotal, d.documentTotal);
        EXPECT_DOUBLE_EQ(f.withholdingAmount, d.withholding);
        EXPECT_DOUBLE_EQ(f.withholdingBase, d.withholdingBase);
        EXPECT_DOUBLE_EQ(f.netToPay(), d.documentTotal - d.withholding);
    }
}

TEST(RecomputeDocument, ConfirmationSumsAndNonFiniteLines) {
    const Money euro(true, 2);
    const DocumentFigures f = RecomputeDocument(Lines({{2, 10, 1, 0, 0, 1.5},
                                                       {3, 1, 13, 0, 0, 0.25},
                                                       {-9999, 4, 2, 0, 0, 100},
                                                       {0, 1, 1, 0, 0, 100}}),
                                                Rates(), false, euro);
    EXPECT_DOUBLE_EQ(f.totalQuantity, 5);
    EXPECT_DOUBLE_EQ(f.totalWeight, 3.75);
    EXPECT_DOUBLE_EQ(f.taxableWithVat(), 25);
    EXPECT_DOUBLE_EQ(f.vatTotal(), 5.02);
    EXPECT_DOUBLE_EQ(f.outsideVat(), 3);
    EXPECT_TRUE(f.finite());
    EXPECT_FALSE(
        RecomputeDocument(Lines({{1, 1e308, 1}, {10, 1e308, 1}}), Rates(), false, euro).finite());
}

TEST(RecomputeDocument, ZeroTotalIsJudgedRounded) {
    VatTable vat;  // every rate 0
    const Money euro(true, 2);
    // Three slots whose rounded sums add up to 5.55e-17 rather than 0.
    const DocumentFigures f =
        RecomputeDocument(Lines({{0, 0.10, 1}, {0, 0.20, 2}, {0, -0.30, 3}}), vat, false, euro);
    EXPECT_NE(f.documentTotal, 0);
    EXPECT_TRUE(f.zeroTotal(euro));
    EXPECT_TRUE(RecomputeDocument(LineTable{}, vat, false, euro).zeroTotal(euro));
    EXPECT_FALSE(RecomputeDocument(Lines({{1, 0.01, 1}}), vat, false, euro).zeroTotal(euro));
}

TEST(VatTable, RatesAndChooserFromTab) {
    std::vector<std::string> lines(TabFile::kLines);
    auto set = [&](int n, std::string text) { lines[static_cast<std::size_t>(n - 1)] = text; };
    set(TabFile::VatCodeLine(1), "22");
    set(TabFile::VatCodeLine(5), "22");
    set(TabFile::VatCodeLine(5) + 1, "20");
    set(TabFile::VatCodeLine(9), "4");
    set(TabFile::VatCodeLine(9) + 1, "0");
    set(TabFile::VatCodeLine(14), "10");
    set(TabFile::VatCodeLine(2), "-100");
    set(TabFile::ExemptionLine(1), "Esente art. 10,N4");
    set(TabFile::ExemptionLine(12), "\"Fuori campo, art. 2\",N2");
    const VatTable t = VatTable::FromTab(TabFile::FromLines(lines));

    EXPECT_DOUBLE_EQ(t.rateOf(0), 22);   // normalised to code 1
    EXPECT_DOUBLE_EQ(t.rateOf(99), 22);  // normalised to code 1
    EXPECT_DOUBLE_EQ(t.rateOf(2), 0);    // -100 would divide by zero
    EXPECT_DOUBLE_EQ(t.rateOf(14), 10);
    EXPECT_DOUBLE_EQ(t.rateOf(20), 0);  // codes 17..24 have no entry
    EXPECT_DOUBLE_EQ(t.withholdingOf(5), 20);

    // The chooser offers only the codes the table defines.
    const auto items = t.chooserItems();
    const std::vector<std::pair<int, std::string>> offered{
        {1, "01 Iva 22%"}, {2, "02 Iva -100%"},       {5, "05 Iva 22% - Rit.Acconto 20%"},
        {9, "09 Iva 4%"},  {13, "13 Esente art. 10"}, {24, "24 Fuori campo, art. 2"}};
    EXPECT_EQ(items, offered);

    // A priced line on a taxable code without a rate is found; a free line is not.
    LineTable table;
    table[1].vatCode = 9;
    table[1].unitPrice = 10;
    table[2].vatCode = 8;
    EXPECT_EQ(FirstLineWithoutRate(table, t), 0);
    table[3].vatCode = 8;
    table[3].unitPrice = 100;
    EXPECT_EQ(FirstLineWithoutRate(table, t), 3);
    EXPECT_EQ(FirstLineWithoutRate(table, VatTable{}), 1);  // no table: no rate at all
}

TEST(DocumentTexts, AmountQuantityAndWeight) {
    const Money euro(true, 2);
    const Money lire(false, 2);
    EXPECT_EQ(AmountText(euro, 0), " ");
    EXPECT_EQ(AmountText(lire, 1234567), " 1.234.567");
    EXPECT_EQ(QuantityText(2.5), "  2.5");
    EXPECT_EQ(QuantityText(-3), " -3");
    // clang-format off
    const std::pair<double, const char*> weights[] = {
        {0, "0"}, {1234567, "1.234.567"}, {3.75, "3,75"}, {1234.5678, "1.234,568"},
        {0.0004, "0"}, {-2.5, "-2,5"}, {HUGE_VAL, ""}, {std::nan(""), ""}};
    // clang-format on
    for (const auto& [w, text] : weights) EXPECT_EQ(WeightText(w), text) << w;
}

}  // namespace
}  // namespace qorvana

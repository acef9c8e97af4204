#include "document/pension_fund.h"

#include <gtest/gtest.h>

namespace qorvana {
namespace {

// The fund's line as the body keeps it: after the fees, its price the contribution on their
// amounts without VAT, computed again on every change, gone with the fees.
TEST(PensionFund, TheLineFollowsTheFees) {
    VatTable vat;
    vat.rateText[1] = "22";
    vat.rate[1] = 22;
    const Money money;
    PensionFund fund{"TC04", 4, 1};
    fund.baseCodes.fill(true);
    fund.baseCodes[13] = false;  // an exemption of nature N1: not fees
    LineTable lines;
    const auto fee = [&](int n, double price, int code) {
        lines[n].description = "Prestazione";
        lines[n].quantity = 1;
        lines[n].unitPrice = price;
        lines[n].vatCode = static_cast<std::int16_t>(code);
    };

    EXPECT_FALSE(UpdateFundLine(lines, fund, vat, false, money));  // no fees, no line
    fee(1, 1000, 1);
    fee(2, 16, 13);
    EXPECT_TRUE(UpdateFundLine(lines, fund, vat, false, money));
    EXPECT_EQ(FundLineOf(lines), 3);
    EXPECT_EQ(lines[3].description, "Contributo integrativo 4 %");
    EXPECT_EQ(lines[3].reference, "CASSA TC04");
    EXPECT_EQ(lines[3].unitPrice, 40);
    EXPECT_EQ(lines[3].vatCode, 1);
    EXPECT_FALSE(UpdateFundLine(lines, fund, vat, false, money));  // nothing changed

    // A fee typed after it: its price follows; at confirmation it goes last.
    fee(4, 250.5, 1);
    EXPECT_TRUE(UpdateFundLine(lines, fund, vat, false, money));
    EXPECT_EQ(FundLineOf(lines), 3);
    EXPECT_EQ(lines[3].unitPrice, 50.02);
    EXPECT_TRUE(UpdateFundLine(lines, fund, vat, false, money, true));
    EXPECT_EQ(FundLineOf(lines), 4);
    EXPECT_EQ(lines[3].unitPrice, 250.5);

    // The totals carry it as any line: 1250,50 + 50,02 at 22 %, 16 outside VAT.
    const DocumentFigures f = RecomputeDocument(lines, vat, false, money);
    EXPECT_DOUBLE_EQ(f.breakdown[1][0], 1300.52);
    EXPECT_DOUBLE_EQ(f.documentTotal, 1300.52 + 286.11 + 16);

    // Prices with VAT: the contribution on the fees without VAT, its price with VAT.
    fee(1, 1220, 1);
    UpdateFundLine(lines, fund, vat, true, money);
    EXPECT_EQ(FundBase(lines, fund, vat, true, money), 1205.33);  // 1470,50 / 1,22
    EXPECT_EQ(lines[4].unitPrice, 58.82);                         // 48,21 + 22 %

    // A second fund line (an invoice copied) is dropped; without fees the line goes.
    lines[6] = lines[4];
    EXPECT_TRUE(UpdateFundLine(lines, fund, vat, false, money));
    EXPECT_EQ(FundLineOf(lines), 4);
    EXPECT_EQ(lines.lastUsed(), 4);
    lines[1] = lines[3] = DocumentLine{};
    EXPECT_TRUE(UpdateFundLine(lines, fund, vat, false, money));
    EXPECT_EQ(FundLineOf(lines), 0);

    // INPS's contribution is a "rivalsa".
    fund.type = "TC22";
    fund.rate = 4.5;
    EXPECT_EQ(FundLineDescription(fund), "Rivalsa INPS 4,5 %");
}

}  // namespace
}  // namespace qorvana

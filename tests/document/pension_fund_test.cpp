#include "document/pension_fund.h"

#include <gtest/gtest.h>

namespace qorvana {
namespace {

// What pension_fund.qrs does not show of the fund's line: the fees' amounts without VAT when
// prices include it, amounts excluded from the base (N1), a second line copied with an
// invoice, the line gone with the fees, INPS's name.
TEST(PensionFund, TheLineFollowsTheFees) {
    VatTable vat;
    vat.rateText[1] = "22";
    vat.rate[1] = 22;
    const Money money;
    PensionFund fund{"TC04", 4, 1};
    fund.baseCodes.fill(true);
    fund.baseCodes[13] = false;  // an exemption of nature N1: not fees
    LineTable lines;
    const auto line = [&](int n, const char* description, double price, int code) {
        lines[n].description = description;
        lines[n].unitPrice = price;
        lines[n].vatCode = static_cast<std::int16_t>(code);
    };
    line(1, "Progetto", 1470.5, 1);
    line(2, "Diritti anticipati", 16, 13);

    EXPECT_TRUE(UpdateFundLine(lines, fund, vat, true, money));
    EXPECT_EQ(FundLineOf(lines), 3);
    EXPECT_EQ(lines[3].reference, "CASSA TC04");
    EXPECT_EQ(FundBase(lines, fund, vat, true, money), 1205.33);  // 1470,50 / 1,22
    EXPECT_EQ(lines[3].unitPrice, 58.82);                         // 48,21 + 22 %
    EXPECT_FALSE(UpdateFundLine(lines, fund, vat, true, money));  // nothing changed

    lines[5] = lines[3];
    EXPECT_TRUE(UpdateFundLine(lines, fund, vat, false, money));
    EXPECT_EQ(FundLineOf(lines), 3);
    EXPECT_EQ(lines.lastUsed(), 3);
    EXPECT_EQ(lines[3].unitPrice, 58.82);  // 4 % of 1.470,50 without VAT
    lines[1] = DocumentLine{};
    EXPECT_TRUE(UpdateFundLine(lines, fund, vat, false, money));
    EXPECT_EQ(FundLineOf(lines), 0);

    fund.type = "TC22";
    fund.rate = 4.5;
    EXPECT_EQ(FundLineDescription(fund), "Rivalsa INPS 4,5 %");
}

}  // namespace
}  // namespace qorvana

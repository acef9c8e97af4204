#include "forms/header/fpa_panel_values.h"

#include <gtest/gtest.h>

namespace qorvana {
namespace {

FpaPanelValues SamplePanel() {
    FpaPanelValues p;
    p.documentType = "TD04 Nota di credito";
    p.documentDate = "06/12/2026";
    p.documentNumber = " 15 ";
    p.progressive = "7";
    for (int i = 1; i <= 15; ++i) p.text4[i] = "T" + std::to_string(i);
    for (int i = 6; i <= 10; ++i) p.dates[i] = std::to_string(i) + "/12/2026";
    p.withholdingReason = "A prestazioni di lavoro autonomo";
    p.withholdingType = "RT01 Ritenuta persone fisiche";
    p.paymentCondition = "TP01 Pagamento a rate";
    p.paymentMode = "MP12 RIBA";
    p.carrierRow = 2;
    p.art73 = true;
    return p;
}

// Text of the record at a documented offset and width, as it stands in the file.
std::string At(const FpaRecord& r, std::size_t offset, std::size_t width) {
    return std::string(r.bytes().begin() + static_cast<std::ptrdiff_t>(offset),
                       r.bytes().begin() + static_cast<std::ptrdiff_t>(offset + width));
}

TEST(CopyPanelInto, PanelFieldsAtTheirOffsetsStoredFieldsKept) {
    HeaderTables tables;
    tables.carriers[2] = {"", "", "TNT GLOBAL EXPRESS", "", "", "", "IT", "05127380017", "CF2"};
    FpaRecord r;
    for (auto& b : r.bytes()) b = ' ';
    r.setText(fpa::kSellerName, "QORVANA DEMO");
    r.setText(fpa::kFundType, "TC01");

    const auto cut = CopyPanelInto(r, SamplePanel(), tables, {20, "100.00", "20.00"});
    EXPECT_TRUE(cut.empty());
    const std::pair<std::size_t, std::string> expected[] = {
        {709, "TD04"},
        {713, "06/12/2026"},
        {723, "15  "},
        {743, "6/12/2026 "},
        {753, "T1  "},
        {773, "RT01"},
        {777, "100.00 "},
        {792, "20.00 "},
        {798, "A"},
        {799, "    "},
        {849, "7 "},
        {855, "T2 "},
        {875, "7/12/2026 "},
        {885, "T3 "},
        {895, "T4 "},
        {905, "T5 "},
        {925, "8/12/2026 "},
        {935, "T6 "},
        {945, "T7 "},
        {955, "T8 "},
        {975, "9/12/2026 "},
        {985, "T9 "},
        {995, "T10 "},
        {1005, "T11 "},
        {1025, "10/12/2026"},
        {1035, "T12 "},
        {1045, "T13 "},
        {1055, "T14 "},
        {1070, "T15 "},
        {1085, "IT"},
        {1087, "05127380017 "},
        {1115, "CF2 "},
        {1131, "TNT GLOBAL EXPRESS "},
        {1211, "TP01"},
        {1215, "MP12"},
        {1219, "1"},
        {1220, "0"},
    };
    for (const auto& [offset, text] : expected)
        EXPECT_EQ(At(r, offset, text.size()), text) << offset;
    EXPECT_EQ(r.text(fpa::kSellerName), "QORVANA DEMO");
}

TEST(CopyPanelInto, NoWithholdingNoCarrierAndTooLongTexts) {
    FpaRecord r;
    FpaPanelValues p = SamplePanel();
    p.carrierRow = 0;
    p.text4[14] = "1234567890123456";  // CUP has 15 characters
    const auto cut = CopyPanelInto(r, p, HeaderTables{}, {0, "100.00", "20.00"});
    EXPECT_EQ(cut, std::vector<std::string>{"cupCode"});
    EXPECT_EQ(r.text(fpa::kWithholdingType), "");
    EXPECT_EQ(r.text(fpa::kWithholdingAmount), "");
    EXPECT_EQ(r.text(fpa::kWithholdingRate), "");
    EXPECT_EQ(r.text(fpa::kWithholdingReason), "");
    EXPECT_EQ(r.text(fpa::kCarrierName), "");
    EXPECT_EQ(r.text(fpa::kCarrierCountry), "");
    EXPECT_EQ(r.text(fpa::kCupCode), "123456789012345");
}

}  // namespace
}  // namespace qorvana

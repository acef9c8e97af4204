#include "fatturapa/fpa_tables.h"

#include <gtest/gtest.h>

#include "core/tab_file.h"
#include "document/payment_terms.h"

namespace qorvana {
namespace {

std::string Repeat(char c, int n) {
    return std::string(static_cast<std::size_t>(n), c);
}

TEST(ExemptionText, NatureIndexAfterTheFirstHundredCharacters) {
    const std::string hundred = "Esente art. 10 " + Repeat('x', 85);
    ASSERT_EQ(hundred.size(), 100u);
    const std::array<std::string, 2> shortText = {"Non imponibile art. 8", "0"};
    EXPECT_EQ(HeaderTables::SplitExemptionText("Non imponibile art. 8  "), shortText);
    EXPECT_EQ(HeaderTables::SplitExemptionText(hundred)[1], "0");
    const auto withNature = HeaderTables::SplitExemptionText(hundred + "3");
    EXPECT_EQ(withNature[0], hundred);
    EXPECT_EQ(withNature[1], "3");
    // characters, not bytes: 99 letters and an accented one still make 100
    const std::string accented = Repeat('a', 99) + "à";
    EXPECT_EQ(HeaderTables::SplitExemptionText(accented)[1], "0");
    EXPECT_EQ(HeaderTables::SplitExemptionText(accented + "12")[1], "12");
    // blanks at the cut are trimmed from both parts
    const auto blanks = HeaderTables::SplitExemptionText(Repeat('b', 95) + "     " + " 4");
    EXPECT_EQ(blanks[0], Repeat('b', 95));
    EXPECT_EQ(blanks[1], "4");
}

TEST(CarrierData, CountryIdentifierTaxCodeSplitAtStars) {
    using Cols = std::array<std::string, 3>;
    EXPECT_EQ(HeaderTables::SplitCarrierData("IT*01234567890*RSSMRA80A01H501U"),
              (Cols{"IT", "01234567890", "RSSMRA80A01H501U"}));
    EXPECT_EQ(HeaderTables::SplitCarrierData(" IT * 0123 "), (Cols{"IT", "0123", ""}));
    EXPECT_EQ(HeaderTables::SplitCarrierData("note without marker"), (Cols{"", "", ""}));
    EXPECT_EQ(HeaderTables::SplitCarrierData("IT*1*2*extra"), (Cols{"IT", "1", "2"}));
}

TEST(HeaderTables, LoadedThroughTheBlockMap) {
    std::vector<std::string> lines(TabFile::kLines);
    auto set = [&](int line, std::string text) {
        lines[static_cast<std::size_t>(line - 1)] = text;
    };
    set(TabFile::VatCodeLine(1), "22");
    set(TabFile::VatCodeLine(1) + 1, "0");
    set(TabFile::VatCodeLine(16) + 3, "last");
    set(TabFile::ExemptionLine(1), "\"Esente, art. 10\",\"" + Repeat('e', 100) + "2\"");
    set(TabFile::ExemptionLine(9), "Fuori campo,Escluso");
    set(TabFile::PaymentTermLine(1), "Rimessa diretta");
    set(TabFile::PaymentTermLine(1) + 1, "000000000000000000 000 1 5   ");
    set(TabFile::PaymentTermLine(31), "Ricevuta bancaria 30 gg");
    set(TabFile::PaymentTermLine(31) + 1, "001000000000000000F000");
    set(TabFile::kSeriesTable, "Registro A,1");
    set(TabFile::kSeriesTable + 8, "Registro I,9");
    set(TabFile::ListEntryLine(1), "Prima voce");
    set(TabFile::ListEntryLine(100), "Ultima voce");
    const int carrier = TabFile::CarrierLine(2);
    const char* carrierLines[] = {"c0", "c1", "Trasporti Rossi", "c3", "c4", "IT*0123*RSSMRA"};
    for (int k = 0; k < 6; ++k) set(carrier + k, carrierLines[k]);
    const TabFile tab = TabFile::FromLines(lines);

    const HeaderTables t = HeaderTables::FromTab(tab);
    EXPECT_EQ(t.vatRates[16][3], "last");
    EXPECT_EQ(t.exemptions[1][1], Repeat('e', 100));
    EXPECT_EQ(t.exemptions[1][2], "2");
    EXPECT_EQ(t.exemptions[9][1], "Escluso");
    EXPECT_EQ(t.exemptions[16][2], "0");  // missing entries: empty text, nature "0"
    EXPECT_EQ(t.seriesTable[9][1], "9");
    EXPECT_EQ(t.listEntries[99], "Ultima voce");
    EXPECT_EQ(t.carriers[2][8], "RSSMRA");
    EXPECT_EQ(t.carriers[1][6], "");

    const PaymentTerms terms = PaymentTerms::FromTab(tab);
    EXPECT_EQ(terms.code(1), "000000000000000000 000 1 5");
    EXPECT_EQ(terms.description(31), "Ricevuta bancaria 30 gg");
}

}  // namespace
}  // namespace qorvana

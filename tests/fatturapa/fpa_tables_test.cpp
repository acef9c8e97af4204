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

}  // namespace
}  // namespace qorvana

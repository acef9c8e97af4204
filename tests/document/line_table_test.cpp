#include "document/line_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qorvana {
namespace {

std::vector<std::string> Codes(const LineTable& t, int upTo) {
    std::vector<std::string> codes;
    for (int n = 1; n <= upTo; ++n)
        codes.push_back(t[n].code.empty() ? t[n].description : t[n].code);
    return codes;
}

TEST(LineTable, InUseAndLastUsed) {
    LineTable t;
    EXPECT_EQ(t.lastUsed(), 0);
    t[7].unitPrice = 1;
    t[3].description = "testo";
    EXPECT_EQ(t.lastUsed(), 7);
    DocumentLine line;
    EXPECT_FALSE(line.inUse());
    line.vatCode = 5;  // a code alone does not make a line
    EXPECT_FALSE(line.inUse());
    line.quantity = -1;
    EXPECT_TRUE(line.inUse());
}

TEST(LineTable, ReorderPutsFreeLinesLast) {
    LineTable t;
    t[1].code = "B";
    t[2].description = "libera";
    t[3].code = "A";
    t[4].description = "seconda";
    t[5].code = "AB";
    t[6].code = "a";  // lower case sorts after upper case by character code
    t.reorder();
    EXPECT_EQ(Codes(t, 7),
              (std::vector<std::string>{"A", "AB", "B", "a", "libera", "seconda", ""}));
}

TEST(LineTable, TypedDiscounts) {
    using enum DiscountFault;
    // clang-format off
    const struct { std::string typed; int percent; DiscountFault fault; } cases[] = {
        {"12,5", 12, None}, {"", 0, None}, {"100", 100, None}, {"101", 0, AboveHundred},
        {"-32768", -32768, None}, {"32768", 0, BeyondRange}, {"1e3", 0, Malformed},
        {"1" + std::string(400, '0'), 0, BeyondNumbers}};
    // clang-format on
    for (const auto& c : cases) {
        const TypedDiscount d = ParseDiscount(c.typed);
        EXPECT_EQ(d.percent, c.percent) << c.typed;
        EXPECT_EQ(d.fault, c.fault) << c.typed;
    }
}

}  // namespace
}  // namespace qorvana

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

LineTable Numbered(int count) {
    LineTable t;
    for (int n = 1; n <= count; ++n) t[n].code = "L" + std::to_string(n);
    return t;
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

TEST(LineTable, InsertAndDelete) {
    LineTable t = Numbered(20);
    // Deleting the line of row 3 at scroll offset 10 removes line 13.
    t.removeAt(3 + 10);
    EXPECT_EQ(t[13].code, "L14");
    EXPECT_EQ(t[19].code, "L20");
    EXPECT_FALSE(t[20].inUse());

    ASSERT_TRUE(t.insertAt(2));
    EXPECT_FALSE(t[2].inUse());
    EXPECT_EQ(t[3].code, "L2");
    EXPECT_EQ(t[20].code, "L20");

    // Line 500 in use: inserting would push it out, so nothing moves.
    t[500].description = "ultima";
    const LineTable before = t;
    EXPECT_FALSE(t.insertAt(1));
    for (int n = 1; n <= 500; ++n) EXPECT_EQ(t[n].code, before[n].code);
    EXPECT_EQ(t[500].description, "ultima");

    // Deleting line 500 empties it.
    t.removeAt(500);
    EXPECT_FALSE(t[500].inUse());
    EXPECT_TRUE(t.insertAt(500));
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
    const struct { const char* typed; int percent; DiscountFault fault; } cases[] = {
        {"10", 10, None}, {"12.7", 13, None}, {"12,5", 12, None}, {"-5", -5, None}, {"", 0, None},
        {"100", 100, None}, {"101", 0, AboveHundred}, {"-32768", -32768, None},
        {"32768", 0, BeyondRange}, {"1e30", 0, BeyondRange}, {"1e309", 0, BeyondNumbers}};
    // clang-format on
    for (const auto& c : cases) {
        const TypedDiscount d = ParseDiscount(c.typed);
        EXPECT_EQ(d.percent, c.percent) << c.typed;
        EXPECT_EQ(d.fault, c.fault) << c.typed;
    }
}

}  // namespace
}  // namespace qorvana

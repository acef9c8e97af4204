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

// A line with a price or a description is in use (body.qrs; the last in use: the imports test).
TEST(LineTable, InUse) {
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

// A line deleted and put back where it stood gives the table it was taken from, a full one
// too (its last line moves up, then back down).
TEST(LineTable, DeletedLinePutBackRestoresTheTable) {
    for (const int last : {4, LineTable::kLines}) {
        LineTable t;
        for (int n = 1; n <= last; ++n) t[n].code = "L" + std::to_string(n);
        const std::vector<std::string> before = Codes(t, LineTable::kLines);
        for (const int n : {1, 2, last}) {
            DocumentLine deleted = t.removeAt(n);
            EXPECT_EQ(deleted.code, "L" + std::to_string(n));
            EXPECT_EQ(t[n].code, n < last ? "L" + std::to_string(n + 1) : "");
            EXPECT_TRUE(t.putBackAt(n, std::move(deleted)));
            EXPECT_EQ(Codes(t, LineTable::kLines), before) << last << " " << n;
        }
    }
    LineTable full;
    full[LineTable::kLines].code = "LAST";
    EXPECT_FALSE(full.putBackAt(1, DocumentLine{}));  // no room: nothing moves
    EXPECT_EQ(full[LineTable::kLines].code, "LAST");
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

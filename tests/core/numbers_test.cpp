#include "core/numbers.h"

#include "core/money.h"

#include <gtest/gtest.h>

#include <limits>

namespace qorvana {
namespace {

TEST(NumbersVal, LeadingNumericPartLikeTheSuite) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"abc", 0},    {"  -12.5xyz", -12.5}, {"1 2 3", 123}, {"1.5.6", 1.5},
        {"33,34", 33}, {"2D2", 200},          {"1e+", 1},     {".5", 0.5},
        {"-", 0},      {"1e309", 0},          {"-1e309", 0},  {"1E-2", 0.01},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Val(c.text), c.value);
    }
}

TEST(NumbersInt16, CheckedConversion) {
    EXPECT_EQ(ToInt16(32767), 32767);
    EXPECT_EQ(ToInt16(32767.9), 32767);
    EXPECT_EQ(ToInt16(-32768), -32768);
    EXPECT_EQ(ToInt16(-12.7), -12);
    EXPECT_EQ(ToInt16(32768), std::nullopt);
    EXPECT_EQ(ToInt16(-32769), std::nullopt);
    EXPECT_EQ(ToInt16(std::numeric_limits<double>::infinity()), std::nullopt);
    EXPECT_EQ(ToInt16(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
    EXPECT_EQ(ToInt16(Val("1e309")), 0);
    EXPECT_EQ(ToInt16OrZero(40000), 0);
    EXPECT_EQ(ToInt16OrZero(-5), -5);
}

TEST(NumbersPlainText, FifteenSignificantDigitsNoExponent) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {{-0.0, "0"},          {0.1 + 0.2, "0.3"},
                          {0.00001, "0.00001"}, {123456789012345.0, "123456789012345"},
                          {100, "100"},         {1.0 / 3.0, "0.333333333333333"},
                          {-0.5, "-0.5"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(PlainNumberText(c.value), c.text);
    }
}

}  // namespace
}  // namespace qorvana

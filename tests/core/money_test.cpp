#include "core/money.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "core/numbers.h"

namespace qorvana {
namespace {

// The locale ctest asks for (LC_ALL, else LANG) is the one the tests run under.
TEST(MoneyLocale, RequestedLocaleIsActive) {
    const char* all = std::getenv("LC_ALL");
    const char* wanted = all && *all ? all : std::getenv("LANG");
    if (wanted == nullptr || *wanted == '\0') GTEST_SKIP() << "no LC_ALL or LANG";
    const char* active = std::setlocale(LC_NUMERIC, nullptr);
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(std::string(active), std::string(wanted)) << "locale not installed?";
}

struct FormatCase {
    bool euro;
    int decimals;
    double amount;
    const char* amountText;    // FormatAmount
    const char* currencyText;  // FormatCurrencyAmount
};

TEST(MoneyFormat, ItalianSeparatorsWhateverTheLocale) {
    const FormatCase cases[] = {
        {true, 2, 1234.5, "1.234,50", "1.234,50"},
        {true, 2, 0, "", ""},
        {false, 2, 1234567, "1.234.567", "1.234.567"},
        {true, 4, 1.2345, "1,23", "1,2345"},
        {true, 2, -1234.5, "-1.234,50", "-1.234,50"},
        {true, 5, 0.00001, "0,00", "0,00001"},
        {true, 2, 2.345, "2,35", "2,35"},
        {true, 2, 999.999, "1.000,00", "1.000,00"},
        {false, 2, 999.5, "1.000", "1.000"},
        {false, 2, 0.4, "", ""},
        {true, 2, std::numeric_limits<double>::quiet_NaN(), "", ""},
        {true, 9, 12.5, "12,50", "12,50"},  // price decimals outside 3..5 mean 2
    };
    for (const auto& c : cases) {
        const Money money(c.euro, c.decimals);
        SCOPED_TRACE(c.amount);
        EXPECT_EQ(money.FormatAmount(c.amount), c.amountText);
        EXPECT_EQ(money.FormatCurrencyAmount(c.amount), c.currencyText);
    }
}

struct RoundCase {
    bool euro;
    int decimals;
    double x;
    double amount;    // RoundAmount
    double currency;  // RoundCurrency
};

TEST(MoneyRound, PlusPoint51ThenFloor) {
    const RoundCase cases[] = {
        {true, 2, 2.345, 2.35, 2.35},       {true, 2, 2.3449, 2.35, 2.35},
        {true, 2, 2.3448, 2.34, 2.34},      {true, 2, -10.125, -10.12, -10.12},
        {true, 3, 1.23449, 1.23, 1.235},    {true, 4, 1.234549, 1.23, 1.2346},
        {true, 5, 0.123454, 0.12, 0.12345}, {true, 5, 0.1234549, 0.12, 0.12346},
        {false, 2, 1000.49, 1001, 1001},    {false, 2, 1000.48, 1000, 1000},
        {false, 2, -0.5, -0.0, -0.0},
    };
    for (const auto& c : cases) {
        const Money money(c.euro, c.decimals);
        SCOPED_TRACE(c.x);
        EXPECT_EQ(money.RoundAmount(c.x), c.amount);
        EXPECT_EQ(money.RoundCurrency(c.x), c.currency);
    }
}

TEST(MoneyRound, PercentsAndTruncation) {
    const Money euro(true, 2);
    const Money lire(false, 2);
    EXPECT_EQ(euro.PercentOf(100, 22), 22);
    EXPECT_EQ(euro.PercentOf(10.10, 22), 2.22);         // 222.2 + 0.51 -> 222
    EXPECT_EQ(lire.PercentOf(1001, 10), 100);           // 100.1 + 0.51
    EXPECT_EQ(lire.PercentOfRoundedUp(1001, 10), 101);  // 100.1 + 0.99
    EXPECT_EQ(lire.PercentOfRoundedUp(1000, 10), 100);
    EXPECT_EQ(TruncateCents(2.349), 2.34);
    EXPECT_EQ(TruncateCents(-2.341), -2.35);
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(euro.RoundAmount(inf), 0);
    EXPECT_EQ(euro.PercentOf(inf, 22), 0);
    EXPECT_EQ(lire.RoundCurrency(std::nan("")), 0);
}

TEST(MoneyParse, ItalianAndDecimalTexts) {
    struct Case {
        const char* text;
        double number;   // ParseNumber
        double decimal;  // ParseDecimal
    };
    // clang-format off
    const Case cases[] = {
        {"1.234,5", 1234.5, 1.234}, {"", 0, 0},                {"  1.234.567  ", 1234567, 1.234},
        {"10.5", 105, 10.5},        {"-3,25", -3.25, -3.25},   {"1..2", 1.2, 1},
        {"abc", 0, 0},              {"1e309", 0, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseNumber(c.text), c.number);
        EXPECT_EQ(ParseDecimal(c.text), c.decimal);
    }
}

// Every typed number is read whole or refused: the last of two kinds of separator is the
// decimal one, several dots group thousands, a single separator is decimal.
TEST(MoneyParse, TypedNumbersReadWholeOrRefused) {
    using enum NumberFault;
    const struct {
        std::string text;
        double value;
        NumberFault fault;
    } cases[] = {
        // clang-format off
        {"1.450,00", 1450, None},     {"1,450.00", 1450, None},
        {"1.234.567", 1234567, None}, {"12,5", 12.5, None},
        {"12.5", 12.5, None},         {"1.234,5", 1234.5, None},
        {" -3,25 ", -3.25, None},     {"12.345.678,9", 12345678.9, None},
        {",5", 0.5, None},            {"12,", 12, None},
        {"", 0, None},                {"1.2.3,4", 0, Malformed},
        {"abc", 0, Malformed},        {"1,234,567", 0, Malformed},
        {"1.234.", 0, Malformed},     {"1.234,567.8", 0, Malformed},
        {"1234.567,8", 0, Malformed}, {"1 450", 0, Malformed},
        {"12abc", 0, Malformed},      {"-", 0, Malformed},
        {"1e3", 0, Malformed},        {"1" + std::string(400, '0'), 0, BeyondNumbers},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const TypedNumber n = ReadTypedNumber(c.text);
        EXPECT_EQ(n.value, c.value);
        EXPECT_EQ(n.fault, c.fault);
    }
}

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

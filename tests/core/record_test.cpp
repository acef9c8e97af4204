#include "core/record.h"

#include <gtest/gtest.h>

#include "core/counters_record.h"
#include "core/cp1252.h"
#include "core/general_settings_record.h"
#include "customers/agent_record.h"
#include "customers/customer_record.h"
#include "tests/layout_golden.h"

namespace qorvana {
namespace {

// A record accepts the fields of its own layout only: a field of another layout, even one of
// the right width at a valid offset, does not compile.
template <class R, class F>
concept ReadsInt16 = requires(const R& r, F f) {
    r.int16(f);
};
static_assert(ReadsInt16<CustomerRecord, decltype(cli::kPaymentCondition)>);
static_assert(!ReadsInt16<CustomerRecord, decltype(age::kPaymentCondition)>);
static_assert(!ReadsInt16<CountersRecord, decltype(cli::kPaymentCondition)>);
static_assert(!ReadsInt16<CustomerRecord, FieldSpec>);

TEST(Cp1252, ConversionBothWays) {
    EXPECT_EQ(Cp1252ToUtf8("Citt\xE0 \x80 \x9C"), "Città € œ");
    EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xEF\xBF\xBD");
    bool lossy = true;
    EXPECT_EQ(Utf8ToCp1252("Però €5 Œ", &lossy),
              "Per\xF2 \x80"
              "5 \x8C");
    EXPECT_FALSE(lossy);
    EXPECT_EQ(Utf8ToCp1252("日本", &lossy), "??");
    EXPECT_TRUE(lossy);
    // What the forms refuse when typed: the characters written as "?", each named once.
    EXPECT_EQ(CharactersNotInCp1252("l’IVA è 22% €, ✓ ok ✓ 日"),
              (std::vector<std::string>{"✓", "日"}));
    EXPECT_TRUE(CharactersNotInCp1252("Però €5 Œ ’ “ ” … ÿ").empty());
    EXPECT_EQ(Utf8ToCp1252("a\xFF"
                           "b"),
              "a?b");                           // invalid UTF-8
    EXPECT_EQ(Utf8ToCp1252("\xE0\x80"), "??");  // truncated sequence
    EXPECT_EQ(Utf8Length("Città€"), 6u);
    EXPECT_EQ(UpperCase("città ÿ œ ß x÷"), "CITTÀ Ÿ Œ ß X÷");
    // Every byte there and back: itself, but for the five Windows-1252 leaves undefined.
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    std::string expected = all;
    for (char& c : expected)
        if (std::string_view("\x81\x8D\x8F\x90\x9D").find(c) != std::string_view::npos) c = '?';
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), expected);
}

// Every byte value at every place of a 15-byte field (two words, the second overlapping the
// first) and of a 16-byte one: the same as AsciiUpper byte by byte, refused when not ASCII.
TEST(Cp1252, AsciiUpperWordsMatchesAsciiUpper) {
    for (const std::size_t width : {std::size_t{15}, std::size_t{16}}) {
        for (std::size_t at = 0; at < width; ++at) {
            for (int value = 0; value < 256; ++value) {
                std::string field(width, 'x');
                field[at] = static_cast<char>(value);
                std::string upper(width, '\0');
                bool changed = false;
                const bool ascii = AsciiUpperWords(field.data(), width, upper.data(), changed);
                ASSERT_EQ(ascii, value < 0x80) << at << ' ' << value;
                if (!ascii) continue;
                std::string expected = field;
                for (char& c : expected) c = AsciiUpper(c);
                ASSERT_EQ(upper, expected) << at << ' ' << value;
                ASSERT_TRUE(changed);
            }
        }
    }
    const std::string plain = "ABC-123 ~@[`{ Z";
    std::string upper(plain.size(), '\0');
    bool changed = true;
    EXPECT_TRUE(AsciiUpperWords(plain.data(), plain.size(), upper.data(), changed));
    EXPECT_EQ(upper, plain);
    EXPECT_FALSE(changed);
}

TEST(RecordText, TrimsBlanksAndNulsPadsWithBlanks) {
    std::array<std::uint8_t, 8> field{'A', 'L', 'F', 'A', 0, 0, ' ', 0};
    EXPECT_EQ(DecodeText(field), "ALFA");
    field.fill(0);
    EXPECT_EQ(DecodeText(field), "");

    EXPECT_TRUE(EncodeText(field, "Città"));
    EXPECT_EQ(std::string(field.begin(), field.end()), "Citt\xE0   ");
    EXPECT_TRUE(EncodeText(field, "12345678"));
    EXPECT_FALSE(EncodeText(field, "123456789"));
    EXPECT_EQ(std::string(field.begin(), field.end()), "12345678");
    EXPECT_TRUE(EncodeText(field, "a日b"));
    EXPECT_EQ(std::string(field.begin(), field.end()), "a?b     ");
}

// 40-byte fields: the padding is skipped eight bytes at a time, never into the text.
TEST(RecordText, LongFieldsLoseOnlyTheirPadding) {
    const std::pair<std::string, std::string> cases[] = {
        {"ALFA", "ALFA"},
        {"", ""},
        {"A" + std::string(16, ' ') + "B", "A" + std::string(16, ' ') + "B"},
        {"ALFA" + std::string(20, ' ') + '\0', "ALFA"},
        {"Citt\xE0", "Città"},
    };
    for (const auto& [text, decoded] : cases) {
        std::string bytes = text + std::string(40 - text.size(), ' ');
        const auto field = std::as_bytes(std::span(bytes));
        EXPECT_EQ(DecodeText(
                      std::span(reinterpret_cast<const std::uint8_t*>(field.data()), field.size())),
                  decoded)
            << text;
    }
}

// Values chosen to differ from each other, not to make sense together. (The counters record:
// PostingTest.EveryValueLandsInItsPlace and every operator script's check read it at its offsets.)
TEST(LayoutGolden, GeneralSettings) {
    using test::Carried, test::Int16, test::Text;
    std::vector<test::Golden<GeneralSettingsLayout>> rows;
    for (int k = 0; k < 9; ++k)  // nine leading words
        rows.push_back({gnr::Leading(k), Int16(2 * static_cast<std::size_t>(k), 11 + k)});
    rows.insert(rows.end(), {
                                {Carried(18, 165)},
                                {gnr::kVersionMark, Text(183, 1, "9")},
                                {gnr::kVersionSwitch1, Text(184, 1, "B")},
                                {gnr::kRowColour1, test::Double(185, 16579315)},
                                {gnr::kRowColour2, test::Double(193, 16777215)},
                                {gnr::kAlternateRows, Text(201, 1, "1")},
                                {gnr::kVersionSwitch2, Text(202, 1, "C")},
                                {Carried(203, 39)},
                                {gnr::kScorporo, Int16(242, 1)},
                                {gnr::kBarcode, Int16(244, 2)},
                                {Carried(246, 2)},
                                {gnr::kDefaultVatCode, Text(248, 2, "04")},
                                {gnr::kWeightSwitch, Int16(250, 3)},
                                {gnr::kNumberWithYear, Text(252, 1, "S")},
                                {Carried(253, 93)},
                            });
    test::ExpectGoldenRecord(rows, gnr::kLayout);
}

}  // namespace
}  // namespace qorvana

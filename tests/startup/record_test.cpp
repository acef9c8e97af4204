#include "startup/record.h"

#include <gtest/gtest.h>

#include "startup/cp1252.h"

namespace qorvana {
namespace {

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
    EXPECT_EQ(Utf8ToCp1252("a\xFF"
                           "b"),
              "a?b");                           // invalid UTF-8
    EXPECT_EQ(Utf8ToCp1252("\xE0\x80"), "??");  // truncated sequence
    EXPECT_EQ(Utf8Length("Città€"), 6u);
    EXPECT_EQ(UpperCase("città ÿ œ ß x÷"), "CITTÀ Ÿ Œ ß X÷");
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

TEST(RecordFields, TypedAccessLittleEndianInPlace) {
    Record<16> r;
    r.bytes()[15] = 0xAB;  // a byte no field touches
    r.setInt16(Int16Field(0), -2);
    r.setDouble(DoubleField(2), 1.5);
    r.setSingle(SingleField(10), 3.0f);
    EXPECT_EQ(r.bytes()[0], 0xFE);
    EXPECT_EQ(r.bytes()[1], 0xFF);
    EXPECT_EQ(r.bytes()[9], 0x3F);  // 1.5 = 0x3FF8000000000000
    EXPECT_EQ(r.bytes()[8], 0xF8);
    EXPECT_EQ(r.int16(Int16Field(0)), -2);
    EXPECT_EQ(r.dbl(DoubleField(2)), 1.5);
    EXPECT_EQ(r.single(SingleField(10)), 3.0f);
    EXPECT_EQ(r.bytes()[15], 0xAB);
    EXPECT_EQ(Record<16>::At(TextField(4, 3), 2).offset, 10u);
}

}  // namespace
}  // namespace qorvana

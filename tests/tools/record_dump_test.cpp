#include <gtest/gtest.h>

#include "tools/record_dump/record_printer.h"

namespace qorvana {
namespace {

TEST(RecordDump, ShowsEachFieldByItsType) {
    const std::array<std::uint8_t, 12> bytes{'C',  'a',  'f',  'f',  0xE8, ' ',
                                             0x39, 0x30, 0x20, 0x20, 0x20, 0x20};
    const std::array<FieldDef, 4> fields{{
        {"text", TextField(0, 6), ""},
        {"number", Int16Field(6), ""},
        {"carried8", CarriedField(8, 2), ""},
        {"carriedRun", CarriedField(6, 6), ""},
    }};
    EXPECT_EQ(FieldValueText(bytes, fields[0]), "\"Caffè\"");
    EXPECT_EQ(FieldValueText(bytes, fields[1]), "12345");
    EXPECT_EQ(FieldValueText(bytes, fields[2]), "20 20");
    EXPECT_EQ(FieldValueText(bytes, fields[3]), "39 30 20 20 20 20");
}

}  // namespace
}  // namespace qorvana

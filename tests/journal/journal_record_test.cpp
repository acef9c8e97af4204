#include "journal/journal_record.h"

#include <gtest/gtest.h>

#include "tests/layout_golden.h"

namespace qorvana {
namespace {

TEST(JournalRecord, GoldenImage) {
    test::Image<JournalLayout> image;
    image.text(0, "20250305")
        .text(8, "Fattura n.12 del 05/03/2025")
        .bytes(48, {0, 0})
        .text(50, "12/2025")
        .bytes(70, {0x00, 0x00})
        .text(72, "01020003")
        .bytes(80, {0, 0, 0, 0, 0, 0x10, 0x93, 0x40})  // 1220
        .bytes(88, {0x01, 0x00})
        .text(90, "05010001")
        .bytes(98, {0, 0, 0, 0, 0, 0x40, 0x8F, 0x40})  // 1000
        .bytes(232, {0x01, 0x00})
        .text(234, "03020001")
        .bytes(242, {0, 0, 0, 0, 0, 0x80, 0x6B, 0x40})  // 220 in line 9
        .bytes(250, {0x11, 0x22})
        .bytes(254, {0, 0, 0, 0, 0x10, 0xF9, 0xE5, 0x40})  // 45000.5
        .text(262, "1")
        .bytes(294, {0, 0});
    const JournalRecord& r = image.record();
    EXPECT_EQ(r.text(gio::kDate), "20250305");
    EXPECT_EQ(r.text(gio::kDescription), "Fattura n.12 del 05/03/2025");
    EXPECT_EQ(r.text(gio::kReference), "12/2025");
    EXPECT_EQ(r.int16(gio::Side(0)), 0);
    EXPECT_EQ(r.text(gio::Account(0)), "01020003");
    EXPECT_EQ(r.dbl(gio::Amount(0)), 1220.0);
    EXPECT_EQ(r.int16(gio::Side(1)), 1);
    EXPECT_EQ(r.text(gio::Account(1)), "05010001");
    EXPECT_EQ(r.dbl(gio::Amount(1)), 1000.0);
    EXPECT_EQ(r.int16(gio::Side(9)), 1);
    EXPECT_EQ(r.text(gio::Account(9)), "03020001");
    EXPECT_EQ(r.dbl(gio::Amount(9)), 220.0);
    EXPECT_EQ(r.dbl(gio::kPostedAt), 45000.5);
    EXPECT_EQ(r.text(gio::kMark), "1");
    EXPECT_EQ(r.int16(gio::kZero294), 0);
    test::ExpectReencodeUnchanged(r, gio::kLayout);
}

}  // namespace
}  // namespace qorvana

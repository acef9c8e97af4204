#include <gtest/gtest.h>

#include "journal/account_record.h"
#include "journal/journal_record.h"
#include "tests/layout_golden.h"

namespace qorvana {
namespace {

TEST(AccountRecord, GoldenImage) {
    test::Image<AccountLayout> image;
    image.text(0, "01020003")
        .text(10, "Clienti Italia")
        .bytes(50, {1, 1, 1, 1, 1, 1, 1, 1})
        .bytes(58, {0, 0, 0, 0, 0, 0x10, 0x93, 0x40})     // 1220
        .bytes(66, {0, 0, 0, 0, 0x10, 0xF9, 0xE5, 0x40})  // 45000.5
        .bytes(106, {0x01, 0x02})
        .text(112, "note del piano dei conti")
        .bytes(148, {0x09, 0x00});
    test::ExpectReencodeUnchanged(image.record(), con::kLayout);
}

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
    test::ExpectReencodeUnchanged(image.record(), gio::kLayout);
}

}  // namespace
}  // namespace qorvana

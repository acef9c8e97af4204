#include "journal/account_record.h"

#include <gtest/gtest.h>

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
    const AccountRecord& r = image.record();
    test::ExpectReencodeUnchanged(r, con::kLayout);
}

}  // namespace
}  // namespace qorvana

#include "sources/quote_record.h"

#include <gtest/gtest.h>

#include "tests/layout_golden.h"

namespace qorvana {
namespace {

TEST(QuoteRecord, GoldenImage) {
    test::Image<QuoteLayout> image;
    const test::GoldenText texts[] = {
        {0, prv::kNumber, "P-0042"},
        {142, prv::kLineDescription1, "Sedia ergonomica con braccioli"},
    };
    test::PlaceAndReadTexts(image, texts);
    image.bytes(18, {0x05, 0x00})
        .text(60, "carried 60")
        .bytes(140, {0x02, 0x00})
        .bytes(182, {0, 0, 0, 0, 0, 0, 0x24, 0x40})     // 10
        .bytes(190, {0, 0, 0, 0, 0, 0x80, 0x5E, 0x40})  // 122
        .bytes(200, {0x0A, 0x00})
        .bytes(202, {0x05, 0x00})
        .bytes(204, {0x01, 0x00})
        .bytes(214, {8, 7, 6, 5, 4, 3, 2, 1})
        .bytes(238, {0x01, 0x00})
        .bytes(282, {0xFF, 0xFF});  // -1: not open
    const QuoteRecord& r = image.record();
    test::ExpectReencodeUnchanged(r, prv::kLayout);

    EXPECT_EQ(prv::RecordOf(1, 1), 1);
    EXPECT_EQ(prv::RecordOf(3, 200), 600);
}

}  // namespace
}  // namespace qorvana

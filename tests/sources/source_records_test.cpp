#include <gtest/gtest.h>

#include "sources/delivery_note_record.h"
#include "sources/quote_record.h"
#include "tests/layout_golden.h"

namespace qorvana {
namespace {

TEST(DeliveryNoteRecord, GoldenImage) {
    test::Image<DeliveryNoteLayout> image;
    image
        .bytes(0, {0x0C, 0x00})  // note 12
        .text(2, "20250305")
        .bytes(10, {0xAA, 0xBB})
        .text(12, "carried text")
        .text(27, "Rientro merce in conto deposito")
        .bytes(63, {0x00, 0x00, 0x9A, 0x42})        // 77.0f
        .bytes(67, {0, 0, 0, 0, 0, 0, 0x22, 0x40})  // 9
        .bytes(75, {1, 2, 3, 4, 5, 6, 7, 8})
        .bytes(83, {0x01, 0x00})
        .bytes(87, {0x07, 0x01})  // customer 263
        .bytes(93, {0x01, 0x00})
        .bytes(95, {0x00, 0x00});
    test::ExpectReencodeUnchanged(image.record(), bol::kLayout);
}

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
    test::ExpectReencodeUnchanged(image.record(), prv::kLayout);

    EXPECT_EQ(prv::RecordOf(1, 1), 1);
    EXPECT_EQ(prv::RecordOf(3, 200), 600);
}

}  // namespace
}  // namespace qorvana

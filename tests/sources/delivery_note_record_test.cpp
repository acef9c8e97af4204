#include "sources/delivery_note_record.h"

#include <gtest/gtest.h>

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
    const DeliveryNoteRecord& r = image.record();
    test::ExpectReencodeUnchanged(r, bol::kLayout);
}

}  // namespace
}  // namespace qorvana

#include "articles/barcode_index_record.h"

#include <gtest/gtest.h>

#include "tests/layout_golden.h"

namespace qorvana {
namespace {

TEST(BarcodeIndexRecord, GoldenImage) {
    test::Image<BarcodeIndexLayout> image;
    image.text(0, "8001234567890").bytes(13, {0x34, 0x12});
    const BarcodeIndexRecord& r = image.record();
    test::ExpectReencodeUnchanged(r, srb::kLayout);
}

}  // namespace
}  // namespace qorvana

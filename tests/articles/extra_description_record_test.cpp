#include "articles/extra_description_record.h"

#include <gtest/gtest.h>

#include "tests/layout_golden.h"

namespace qorvana {
namespace {

TEST(ExtraDescriptionRecord, GoldenImage) {
    test::Image<ExtraDescriptionLayout> image;
    image.text(0, "Prima riga")
        .text(50, "Seconda riga")
        .text(450, "Decima riga, fino all'ultimo carattere della riga.")
        .bytes(500, {123, 0});
    const ExtraDescriptionRecord& r = image.record();
    test::ExpectReencodeUnchanged(r, prx::kLayout);
}

}  // namespace
}  // namespace qorvana

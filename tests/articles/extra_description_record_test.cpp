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
    EXPECT_EQ(r.text(ExtraDescriptionRecord::At(prx::kLine, 0)), "Prima riga");
    EXPECT_EQ(r.text(ExtraDescriptionRecord::At(prx::kLine, 1)), "Seconda riga");
    EXPECT_EQ(r.text(ExtraDescriptionRecord::At(prx::kLine, 2)), "");
    EXPECT_EQ(r.text(ExtraDescriptionRecord::At(prx::kLine, 9)),
              "Decima riga, fino all'ultimo carattere della riga.");
    EXPECT_EQ(r.int16(prx::kMarker), prx::kInUse);
    for (int i = 0; i < prx::kLineCount; ++i)
        EXPECT_EQ(prx::kFields.defs[static_cast<std::size_t>(i)].field.offset,
                  ExtraDescriptionRecord::At(prx::kLine, static_cast<std::size_t>(i)).offset);
    test::ExpectReencodeUnchanged(r, prx::kLayout);
}

}  // namespace
}  // namespace qorvana

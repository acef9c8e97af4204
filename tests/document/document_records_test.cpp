#include <gtest/gtest.h>

#include "document/document_continuation_record.h"
#include "document/document_record.h"
#include "document/stock_movement_record.h"
#include "tests/layout_golden.h"

namespace qorvana {
namespace {

// Blank text fields, the rest zero: what the suite writes for a new record.
template <class L>
test::Image<L> BlankImage(const Layout& layout) {
    test::Image<L> image(0);
    for (const auto& def : layout.fields)
        if (def.field.type == FieldType::Text) image.text(def.field.offset, def.field.width, "");
    return image;
}

TEST(DocumentRecordLayout, GoldenImage) {
    namespace d = document_record;
    test::Image<DocumentLayout> image;
    image.word(0, 17)
        .text(2, "12")
        .text(14, "20241106")
        .dbl(94 + 2 * 8, 100.5)
        .word(350, 1)
        .dbl(444, 45601.5)
        .single(455, 1234.0f)
        .text(463, "PORTATO")
        .dbl(504, 3.25);
    test::ExpectReencodeUnchanged(image.record(), d::kLayout);
    // A new record is blank where the layout has text, zero elsewhere.
    EXPECT_TRUE(NewDocumentRecord() == BlankImage<DocumentLayout>(d::kLayout).record());
}

TEST(ContinuationRecordLayout, GoldenImage) {
    namespace c = continuation_record;
    test::Image<ContinuationLayout> image;
    image.word(0, 999)
        .dbl(2 + 8, 50.0)
        .text(98, "20250430")
        .text(338, "\\pdf\\ftr12.pdf")
        .word(526, 1)
        .text(528, "ALTRO PROGRAMMA")
        .dbl(579, 17.0);
    test::ExpectReencodeUnchanged(image.record(), c::kLayout);
    test::Image<ContinuationLayout> fresh = BlankImage<ContinuationLayout>(c::kLayout);
    fresh.word(0, 999).word(526, 1);
    EXPECT_TRUE(NewContinuationRecord() == fresh.record());
}

TEST(StockMovementRecordLayout, GoldenImage) {
    test::Image<MovementLayout> image;
    image.text(0, "20241106").text(8, "ROSSI MARIO SRL").word(72, 17).dbl(74, -3.0).word(90, 1);
    test::ExpectReencodeUnchanged(image.record(), stock_movement_record::kLayout);
}

}  // namespace
}  // namespace qorvana

// Golden byte images of the document, continuation and stock movement records: values are
// written by hand at their offsets, read back through the layouts' fields, and the record is
// re-encoded field by field into a fresh one, which must give the same bytes.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "document/document_continuation_record.h"
#include "document/document_record.h"
#include "document/stock_movement_record.h"
#include "tests/layout_golden.h"

namespace qorvana {
namespace {

struct Text {
    std::string text;
    std::size_t width;
};
using Value = std::variant<Text, std::int16_t, float, double>;
Value W(int v) {
    return static_cast<std::int16_t>(v);
}

template <class L>
struct At {
    Field<L> field;
    std::size_t offset;
    Value value;
};

// Blank text fields, the rest zero: what the suite writes for a new record.
template <class L>
test::Image<L> BlankImage(const Layout& layout) {
    test::Image<L> image(0);
    for (const auto& def : layout.fields)
        if (def.field.type == FieldType::Text) image.text(def.field.offset, def.field.width, "");
    return image;
}

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};

template <class L>
void ExpectGolden(const Layout& layout, const std::vector<At<L>>& golden) {
    test::Image<L> image = BlankImage<L>(layout);
    for (const At<L>& a : golden)
        std::visit(Overloaded{[&](const Text& t) { image.text(a.offset, t.width, t.text); },
                              [&](std::int16_t v) { image.word(a.offset, v); },
                              [&](float v) { image.single(a.offset, v); },
                              [&](double v) { image.dbl(a.offset, v); }},
                   a.value);
    const Record<L>& r = image.record();
    for (const At<L>& a : golden) {
        const bool same =
            std::visit(Overloaded{[&](const Text& t) { return r.text(a.field) == t.text; },
                                  [&](std::int16_t v) { return r.int16(a.field) == v; },
                                  [&](float v) { return r.single(a.field) == v; },
                                  [&](double v) { return r.dbl(a.field) == v; }},
                       a.value);
        EXPECT_TRUE(same) << "field at offset " << a.offset;
    }
    EXPECT_TRUE(test::ReEncoded(r, layout) == r);
}

TEST(DocumentRecordLayout, GoldenImage) {
    namespace d = document_record;
    using R = DocumentRecord;
    ExpectGolden<DocumentLayout>(d::kLayout, {{d::kCustomer, 0, W(17)},
                                              {d::kNumber, 2, Text{"12", 10}},
                                              {d::kRegistrationDate, 14, Text{"20241106", 8}},
                                              {R::At(d::kDueDate, 0), 30, Text{"20241231", 8}},
                                              {R::At(d::kTaxable, 2), 94 + 2 * 8, 100.5},
                                              {d::kKind, 350, W(1)},
                                              {d::kPaymentTerms, 356, Text{"3", 40}},
                                              {d::kSeries, 442, W(3)},
                                              {d::kIssueMoment, 444, 45601.5},
                                              {d::kSerial, 455, 1234.0f},
                                              {d::kCarried463, 463, Text{"PORTATO", 33}},
                                              {R::At(d::kCarriedDouble, 1), 504, 3.25}});
    // A new record is blank where the layout has text, zero elsewhere.
    EXPECT_TRUE(NewDocumentRecord() == BlankImage<DocumentLayout>(d::kLayout).record());
}

TEST(ContinuationRecordLayout, GoldenImage) {
    namespace c = continuation_record;
    using R = ContinuationRecord;
    ExpectGolden<ContinuationLayout>(c::kLayout,
                                     {{c::kMarker, 0, W(999)},
                                      {R::At(c::kTaxable, 1), 2 + 8, 50.0},
                                      {R::At(c::kDueDate, 0), 98, Text{"20250430", 8}},
                                      {c::kPdfPath, 338, Text{"\\pdf\\ftr12.pdf", 60}},
                                      {c::kWord526, 526, W(1)},
                                      {c::kCarried528, 528, Text{"ALTRO PROGRAMMA", 36}},
                                      {c::kFpaMode, 579, 17.0}});
    test::Image<ContinuationLayout> fresh = BlankImage<ContinuationLayout>(c::kLayout);
    fresh.word(0, 999).word(526, 1);
    EXPECT_TRUE(NewContinuationRecord() == fresh.record());
}

TEST(StockMovementRecordLayout, GoldenImage) {
    namespace m = stock_movement_record;
    ExpectGolden<MovementLayout>(m::kLayout, {{m::kDate, 0, Text{"20241106", 8}},
                                              {m::kCounterpart, 8, Text{"ROSSI MARIO SRL", 40}},
                                              {m::kCustomer, 72, W(17)},
                                              {m::kQuantity, 74, -3.0},
                                              {m::kFixedOne2, 90, W(1)}});
}

}  // namespace
}  // namespace qorvana

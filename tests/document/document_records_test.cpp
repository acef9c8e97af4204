// Golden byte images of the document, continuation and stock movement records: fields are
// written by hand at their offsets, decoded through the layouts, and re-encoded field by
// field into a fresh record, which must give the same bytes.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string_view>
#include <vector>

#include "document/document_continuation_record.h"
#include "document/document_record.h"
#include "document/stock_movement_record.h"
#include "tests/layout_golden.h"

namespace qorvana {
namespace {

// New records start zeroed, as the suite writes them; BlankTexts then blanks the texts.
template <std::size_t N>
using Image = test::Image<N>;
using test::ReEncoded;

// Blank text fields, the rest zero: what the suite writes for a new record.
template <std::size_t N>
void BlankTexts(Image<N>& image, const Layout& layout) {
    for (const auto& def : layout.fields)
        if (def.field.type == FieldType::Text) image.text(def.field.offset, def.field.width, "");
}

TEST(DocumentRecordLayout, GoldenImage) {
    namespace d = document_record;
    Image<522> img(0);
    BlankTexts(img, d::kLayout);
    img.word(0, 17);
    img.text(2, 10, "12");
    img.word(12, 2);
    img.text(14, 8, "20241106");
    img.text(22, 8, "20241105");
    img.text(30, 8, "20241231");
    img.text(54, 8, "20250331");
    img.dbl(94 + 2 * 8, 100.5);   // taxable of code 3
    img.dbl(158 + 2 * 8, 22.11);  // VAT of code 3
    img.dbl(222 + 2 * 8, 40.0);   // outside VAT of code 15
    img.dbl(286, 162.61);
    img.word(350, 1);
    img.word(352, 1);
    img.text(356, 40, "3");
    img.text(402, 4, "5");
    img.dbl(406, 8.13);
    img.word(414, 4);
    img.word(416, -2);
    img.dbl(418, 1.5);
    img.dbl(426, -7.25);
    img.dbl(434, 12);
    img.word(442, 3);
    img.dbl(444, 45601.5);
    img.text(452, 1, "1");
    img.text(453, 1, "0");
    img.text(454, 1, "1");
    img.single(455, 1234.0f);
    img.text(459, 1, "1");
    img.text(460, 1, "X");
    img.text(461, 1, "2");
    img.text(462, 1, "0");
    img.text(463, 33, "PORTATO");
    img.dbl(504, 3.25);
    img.word(520, 0);

    const DocumentRecord r = img.record();
    EXPECT_EQ(r.int16(d::kCustomer), 17);
    EXPECT_EQ(r.text(d::kNumber), "12");
    EXPECT_EQ(r.int16(d::kCombo2), 2);
    EXPECT_EQ(r.text(d::kRegistrationDate), "20241106");
    EXPECT_EQ(r.text(d::kDocumentDate), "20241105");
    EXPECT_EQ(r.text(DocumentRecord::At(d::kDueDate, 0)), "20241231");
    EXPECT_EQ(r.text(DocumentRecord::At(d::kDueDate, 3)), "20250331");
    EXPECT_EQ(r.text(DocumentRecord::At(d::kPaymentDate, 0)), "");
    EXPECT_EQ(r.dbl(DocumentRecord::At(d::kTaxable, 2)), 100.5);
    EXPECT_EQ(r.dbl(DocumentRecord::At(d::kVat, 2)), 22.11);
    EXPECT_EQ(r.dbl(DocumentRecord::At(d::kOutsideVat, 2)), 40.0);
    EXPECT_EQ(r.dbl(DocumentRecord::At(d::kDueAmount, 0)), 162.61);
    EXPECT_EQ(r.int16(d::kKind), 1);
    EXPECT_EQ(r.int16(d::kBankReceipt), 1);
    EXPECT_EQ(r.text(d::kPaymentTerms), "3");
    EXPECT_EQ(r.text(d::kCommissionRate), "5");
    EXPECT_EQ(r.dbl(d::kCommissionAmount), 8.13);
    EXPECT_EQ(r.int16(d::kCombo3), 4);
    EXPECT_EQ(r.int16(d::kCombo4), -2);
    EXPECT_EQ(r.dbl(d::kHeaderValue11), 1.5);
    EXPECT_EQ(r.dbl(d::kHeaderValue12), -7.25);
    EXPECT_EQ(r.dbl(d::kVatRegisterNumber), 12);
    EXPECT_EQ(r.int16(d::kCombo5), 3);
    EXPECT_EQ(r.dbl(d::kIssueMoment), 45601.5);
    EXPECT_EQ(r.text(d::kSpesometro), "1");
    EXPECT_EQ(r.text(d::kSummaryDocument), "1");
    EXPECT_EQ(r.single(d::kSerial), 1234.0f);
    EXPECT_EQ(r.text(d::kVatOnPayment), "1");
    EXPECT_EQ(r.text(d::kCarried460), "X");
    EXPECT_EQ(r.text(d::kLeasingVehicle), "2");
    EXPECT_EQ(r.text(d::kCarried463), "PORTATO");
    EXPECT_EQ(r.dbl(DocumentRecord::At(d::kCarriedDouble, 1)), 3.25);

    EXPECT_TRUE(ReEncoded(r, d::kLayout) == r);

    // A new record is blank where the layout has text, zero elsewhere.
    Image<522> blank(0);
    BlankTexts(blank, d::kLayout);
    EXPECT_TRUE(NewDocumentRecord() == blank.record());
}

TEST(ContinuationRecordLayout, GoldenImage) {
    namespace c = continuation_record;
    Image<838> img(0);
    BlankTexts(img, c::kLayout);
    img.word(0, 999);
    img.dbl(2 + 8, 50.0);   // taxable of code 10
    img.dbl(34 + 8, 11.0);  // VAT of code 10
    img.dbl(66 + 24, 9.5);  // outside VAT of code 24
    img.text(98, 8, "20250430");
    img.text(106, 8, "20250531");
    img.dbl(130, 10.0);
    img.dbl(138, 20.0);
    img.text(338, 60, "\\pdf\\ftr12.pdf");
    img.dbl(398, 4.0);
    img.dbl(494, 20.0);
    img.word(526, 1);
    img.text(528, 36, "ALTRO PROGRAMMA");
    img.text(572, 6, "112025");
    img.text(578, 1, "Z");
    img.dbl(579, 17);

    const ContinuationRecord r = img.record();
    EXPECT_EQ(r.int16(c::kMarker), 999);
    EXPECT_EQ(r.dbl(ContinuationRecord::At(c::kTaxable, 1)), 50.0);
    EXPECT_EQ(r.dbl(ContinuationRecord::At(c::kVat, 1)), 11.0);
    EXPECT_EQ(r.dbl(ContinuationRecord::At(c::kOutsideVat, 3)), 9.5);
    EXPECT_EQ(r.text(ContinuationRecord::At(c::kDueDate, 0)), "20250430");
    EXPECT_EQ(r.text(ContinuationRecord::At(c::kDueDate, 1)), "20250531");
    EXPECT_EQ(r.dbl(ContinuationRecord::At(c::kDueAmount, 1)), 20.0);
    EXPECT_EQ(r.text(c::kPdfPath), "\\pdf\\ftr12.pdf");
    EXPECT_EQ(r.dbl(c::kWithholdingAmount), 4.0);
    EXPECT_EQ(r.dbl(c::kWithholdingBase), 20.0);
    EXPECT_EQ(r.int16(c::kWord526), 1);
    EXPECT_EQ(r.text(c::kCarried528), "ALTRO PROGRAMMA");
    EXPECT_EQ(r.text(c::kDeferredVatLimit), "112025");
    EXPECT_EQ(r.dbl(c::kFpaMode), 17);
    EXPECT_TRUE(ReEncoded(r, c::kLayout) == r);

    Image<838> fresh(0);
    BlankTexts(fresh, c::kLayout);
    fresh.word(0, 999);
    fresh.word(526, 1);
    EXPECT_TRUE(NewContinuationRecord() == fresh.record());
}

TEST(StockMovementRecordLayout, GoldenImage) {
    namespace m = stock_movement_record;
    Image<94> img(0);
    img.text(0, 8, "20241106");
    img.text(8, 40, "ROSSI MARIO SRL");
    img.word(48, 1);
    img.text(50, 12, "NC 12");
    img.dbl(62, 45601.75);
    img.word(70, 321);
    img.word(72, 17);
    img.dbl(74, -3);
    img.dbl(82, 8.2);
    img.word(90, 1);
    img.word(92, 0);

    const StockMovementRecord r = img.record();
    EXPECT_EQ(r.text(m::kDate), "20241106");
    EXPECT_EQ(r.text(m::kCounterpart), "ROSSI MARIO SRL");
    EXPECT_EQ(r.int16(m::kWord48), 1);
    EXPECT_EQ(r.text(m::kReference), "NC 12");
    EXPECT_EQ(r.dbl(m::kIssueMoment), 45601.75);
    EXPECT_EQ(r.int16(m::kArticle), 321);
    EXPECT_EQ(r.int16(m::kCustomer), 17);
    EXPECT_EQ(r.dbl(m::kQuantity), -3);
    EXPECT_EQ(r.dbl(m::kNetUnitPrice), 8.2);
    EXPECT_EQ(r.int16(m::kWord90), 1);
    EXPECT_TRUE(ReEncoded(r, m::kLayout) == r);
}

}  // namespace
}  // namespace qorvana

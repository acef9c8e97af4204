#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "document/document_continuation_record.h"
#include "document/document_record.h"
#include "document/stock_movement_record.h"
#include "tests/layout_golden.h"

namespace qorvana {
namespace {

using test::Double, test::Int16, test::Text;

// A record as posting starts it: the texts of `rows` blank, their numbers 0, then `values`.
template <class Rows>
auto FreshImage(const Rows& rows, std::initializer_list<test::Stored> values = {}) {
    Record<typename std::ranges::range_value_t<Rows>::Layout> image;
    for (const auto& g : rows)
        if (g.at.type == FieldType::Text)
            test::Place(image.bytes(), Text(g.at.offset, g.at.width, ""));
    for (const auto& v : values) test::Place(image.bytes(), v);
    return image;
}

// Values chosen to differ from each other, not to make sense together.
TEST(LayoutGolden, DocumentAndANewOne) {
    namespace d = document_record;
    using R = DocumentRecord;
    std::vector<test::Golden<DocumentLayout>> rows = {
        {d::kCustomer, Int16(0, 17)},
        {d::kNumber, Text(2, 10, "2024/12")},
        {d::kBank1, Int16(12, 21)},
        {d::kRegistrationDate, Text(14, 8, "20241106")},
        {d::kDocumentDate, Text(22, 8, "20241105")},
    };
    const char* dueDates[] = {"20241231", "20250131", "20250228", "20250331"};
    const char* paymentDates[] = {"20250102", "20250203", "20250304", "20250405"};
    for (std::size_t i = 0; i < 4; ++i)
        rows.push_back({R::At(d::kDueDate, i), Text(30 + 8 * i, 8, dueDates[i])});
    for (std::size_t i = 0; i < 4; ++i)
        rows.push_back({R::At(d::kPaymentDate, i), Text(62 + 8 * i, 8, paymentDates[i])});
    for (std::size_t i = 0; i < 8; ++i)  // VAT codes 1 to 8
        rows.push_back({R::At(d::kTaxable, i), Double(94 + 8 * i, 1000.5 + i)});
    for (std::size_t i = 0; i < 8; ++i)
        rows.push_back({R::At(d::kVat, i), Double(158 + 8 * i, 200.5 + i)});
    for (std::size_t i = 0; i < 8; ++i)  // codes 13 to 20
        rows.push_back({R::At(d::kOutsideVat, i), Double(222 + 8 * i, 300.5 + i)});
    for (std::size_t i = 0; i < 4; ++i)
        rows.push_back({R::At(d::kDueAmount, i), Double(286 + 8 * i, 400.5 + i)});
    for (std::size_t i = 0; i < 4; ++i)
        rows.push_back({R::At(d::kPaidAmount, i), Double(318 + 8 * i, 500.5 + i)});
    rows.insert(rows.end(), {
                                {d::kKind, Int16(350, 7)},
                                {d::kBankReceipt, Int16(352, 1)},
                                {d::kWord354, Int16(354, 3)},
                                {d::kPaymentTerms, Text(356, 40, "3")},
                                {d::kFields["word396"], Int16(396, 4)},
                                {d::kFields["word398"], Int16(398, 5)},
                                {d::kFields["text400"], Text(400, 2, "ab")},
                                {d::kCommissionRate, Text(402, 4, "12,5")},
                                {d::kCommissionAmount, Double(406, 15.75)},
                                {d::kBank2, Int16(414, 22)},
                                {d::kBank3, Int16(416, 23)},
                                {d::kAdditionalAmount1, Double(418, 7.5)},
                                {d::kAdditionalAmount2, Double(426, 2.25)},
                                {d::kVatRegisterNumber, Double(434, 112)},
                                {d::kSeries, Int16(442, 4)},
                                {d::kIssueMoment, Double(444, 45601.5)},
                                {d::kSpesometro, Text(452, 1, "1")},
                                {d::kVatNotShown, Text(453, 1, "2")},
                                {d::kSummaryDocument, Text(454, 1, "3")},
                                {d::kSerial, test::Single(455, 1234)},
                                {d::kVatOnPayment, Text(459, 1, "4")},
                                {d::kCarried460, Text(460, 1, "5")},
                                {d::kLeasingVehicle, Text(461, 1, "6")},
                                {d::kSelfInvoice, Text(462, 1, "7")},
                                {d::kCarried463, Text(463, 33, "PORTATO DA ALTRO PROGRAMMA")},
                            });
    for (std::size_t i = 0; i < 3; ++i)
        rows.push_back({R::At(d::kCarriedDouble, i), Double(496 + 8 * i, 3.25 + i)});
    rows.push_back({d::kWord520, Int16(520, 6)});
    test::ExpectGoldenRecord(rows, d::kLayout);

    EXPECT_TRUE(NewDocumentRecord() == FreshImage(rows));
}

TEST(LayoutGolden, ContinuationAndANewOne) {
    namespace c = continuation_record;
    using R = ContinuationRecord;
    std::vector<test::Golden<ContinuationLayout>> rows = {{c::kMarker, Int16(0, 999)}};
    const auto doubles = [&](Field<ContinuationLayout> first, std::size_t offset, std::size_t count,
                             double value) {
        for (std::size_t i = 0; i < count; ++i)
            rows.push_back({R::At(first, i), Double(offset + 8 * i, value + i)});
    };
    std::deque<std::string> kept;  // the texts the rows view
    const auto texts = [&](Field<ContinuationLayout> first, std::size_t offset, std::size_t count,
                           std::size_t width, char letter) {
        for (std::size_t i = 0; i < count; ++i) {
            kept.push_back(letter + std::to_string(offset + width * i));
            rows.push_back({R::At(first, i), Text(offset + width * i, width, kept.back())});
        }
    };
    doubles(c::kTaxable, 2, 4, 2000.5);  // VAT codes 9 to 12
    doubles(c::kVat, 34, 4, 2100.5);
    doubles(c::kOutsideVat, 66, 4, 2200.5);  // codes 21 to 24
    rows.push_back({R::At(c::kDueDate, 0), Text(98, 8, "20250430")});
    rows.push_back({R::At(c::kDueDate, 1), Text(106, 8, "20250531")});
    rows.push_back({R::At(c::kPaymentDate, 0), Text(114, 8, "20250602")});
    rows.push_back({R::At(c::kPaymentDate, 1), Text(122, 8, "20250703")});
    doubles(c::kDueAmount, 130, 2, 5.25);
    doubles(c::kPaidAmount, 146, 2, 7.5);
    doubles(c::kFields["zero162"], 162, 16, 3000.5);
    texts(c::kFields["empty290"], 290, 8, 6, 'E');
    rows.push_back({c::kPdfPath, Text(338, 60, "\\pdf\\ftr12_2024.pdf")});
    rows.push_back({c::kWithholdingAmount, Double(398, 4.5)});
    doubles(c::kFields["zero406"], 406, 3, 3100.5);
    texts(c::kFields["empty430"], 430, 8, 8, 'V');
    rows.push_back({c::kWithholdingBase, Double(494, 20.5)});
    doubles(c::kFields["zero502"], 502, 3, 3200.5);
    rows.insert(rows.end(), {
                                {c::kWord526, Int16(526, 1)},
                                {c::kCarried528, Text(528, 36, "ALTRO PROGRAMMA")},
                                {c::kFields["zero564"], Double(564, 3300.5)},
                                {c::kDeferredVatLimit, Text(572, 6, "112025")},
                                {c::kFields["carried578"], Text(578, 1, "x")},
                                {c::kFpaMode, Double(579, 17)},
                                {c::kFields["empty587"], Text(587, 251, "fine")},
                            });
    test::ExpectGoldenRecord(rows, c::kLayout);

    EXPECT_TRUE(NewContinuationRecord() == FreshImage(rows, {Int16(0, 999), Int16(526, 1)}));
}

TEST(LayoutGolden, StockMovement) {
    namespace m = stock_movement_record;
    const test::Golden<MovementLayout> rows[] = {
        {m::kDate, Text(0, 8, "20241106")},     {m::kCounterpart, Text(8, 40, "ROSSI MARIO SRL")},
        {m::kFixedOne1, Int16(48, 41)},         {m::kReference, Text(50, 12, "FT 12")},
        {m::kIssueMoment, Double(62, 45601.5)}, {m::kArticle, Int16(70, 3)},
        {m::kCustomer, Int16(72, 17)},          {m::kQuantity, Double(74, -3)},
        {m::kNetUnitPrice, Double(82, 9.5)},    {m::kFixedOne2, Int16(90, 42)},
        {m::kFixedZero, Int16(92, 43)},
    };
    test::ExpectGoldenRecord(rows, m::kLayout);
}

}  // namespace
}  // namespace qorvana

#include <gtest/gtest.h>

#include "sources/delivery_note_record.h"
#include "sources/quote_record.h"
#include "tests/layout_golden.h"

namespace qorvana {
namespace {

using test::Carried, test::Double, test::Int16, test::Text;

// Values chosen to differ from each other, not to make sense together.
TEST(LayoutGolden, DeliveryNote) {
    const test::Golden<DeliveryNoteLayout> rows[] = {
        {bol::kNumber, Int16(0, 12)},
        {bol::kDate, Text(2, 8, "20250305")},
        {Carried(10, 17)},
        {bol::kText, Text(27, 36, "Rientro merce in conto deposito")},
        {bol::kSerial, test::Single(63, 77)},
        {bol::kReturnNumber, Double(67, 9)},
        {Carried(75, 8)},
        {bol::kHeadMark, Int16(83, 1)},
        {Carried(85, 2)},
        {bol::kCustomer, Int16(87, 263)},
        {Carried(89, 4)},
        {bol::kInvoiced, Int16(93, 2)},
        {bol::kExcluded, Int16(95, 3)},
    };
    test::ExpectGoldenRecord(rows, bol::kLayout);
}

TEST(LayoutGolden, Quote) {
    const test::Golden<QuoteLayout> rows[] = {
        {prv::kNumber, Text(0, 10, "P-0042")},
        {prv::kDate, Text(10, 8, "20250310")},
        {prv::kCustomer, Int16(18, 5)},
        {prv::kDescription, Text(20, 40, "Arredo ufficio")},
        {Carried(60, 80)},
        {prv::kArticle, Int16(140, 2)},
        {prv::kLineDescription1, Text(142, 40, "Sedia ergonomica con braccioli")},
        {prv::kQuantity, Double(182, 10)},
        {prv::kPrice, Double(190, 122)},
        {prv::kUnit, Text(198, 2, "PZ")},
        {prv::kDiscount1, Int16(200, 10)},
        {prv::kDiscount2, Int16(202, 15)},
        {prv::kVatCode, Int16(204, 4)},
        {Carried(206, 32)},
        {prv::kVatIncluded, Int16(238, 1)},
        {Carried(240, 2)},
        {prv::kLineDescription2, Text(242, 10, "in pelle")},
        {Carried(252, 30)},
        {prv::kState, Int16(282, -1)},
    };
    test::ExpectGoldenRecord(rows, prv::kLayout);

    EXPECT_EQ(prv::RecordOf(1, 1), 1);
    EXPECT_EQ(prv::RecordOf(3, 200), 600);
}

}  // namespace
}  // namespace qorvana

#include <gtest/gtest.h>

#include "articles/article_index_record.h"
#include "articles/article_record.h"
#include "articles/barcode_index_record.h"
#include "articles/extra_description_record.h"
#include "tests/layout_golden.h"

namespace qorvana {
namespace {

using test::Carried, test::Double, test::Int16, test::Text;

// Values chosen to differ from each other, not to make sense together.
TEST(LayoutGolden, Article) {
    const test::Golden<ArticleLayout> rows[] = {
        {art::kCode, Text(0, 15, "CAF-001")},
        {art::kDescription, Text(15, 40, "Caff\xE8 in grani"), "Caffè in grani"},
        {art::kBarCode, Text(55, 13, "8001234567890")},
        {art::kUnit, Text(68, 2, "KG")},
        {Carried(70, 3)},
        {art::kVatCode, Int16(73, 10)},
        {art::kPrice1, Double(75, 12.5)},
        {art::kPrice2, Double(83, 15.25)},
        {Carried(91, 32)},
        {art::kStock, Double(123, 100)},
        {Carried(131, 8)},
        {art::kCommitted, Double(139, 3)},
        {Carried(147, 32)},
        {art::kQuantitySold, Double(179, 2.5)},
        {Carried(187, 8)},
        {art::kValueSold, Double(195, 1234.56)},
        {Carried(203, 92)},
        {art::kUnitWeight, Double(295, 0.75)},
        {Carried(303, 22)},
        {art::kDeleted, Int16(325, -3)},
    };
    test::ExpectGoldenRecord(rows, art::kLayout);
}

TEST(LayoutGolden, ArticleIndexes) {
    const test::Golden<ArticleIndexLayout> sra[] = {
        {sra::kKey, Text(0, 15, "ART-001")},
        {sra::kArticle, Int16(15, 268)},
    };
    test::ExpectGoldenRecord(sra, sra::kLayout);
    const test::Golden<BarcodeIndexLayout> srb[] = {
        {srb::kBarCode, Text(0, 13, "8001234567890")},
        {srb::kArticle, Int16(13, 4660)},
    };
    test::ExpectGoldenRecord(srb, srb::kLayout);
}

TEST(LayoutGolden, ExtraDescription) {
    // Ten lines of 50 characters, the last one full.
    const std::string lines[] = {"Prima",   "Seconda",
                                 "Terza",   "Quarta",
                                 "Quinta",  "Sesta",
                                 "Settima", "Ottava",
                                 "Nona",    "Decima riga, fino all'ultimo carattere della riga."};
    std::vector<test::Golden<ExtraDescriptionLayout>> rows;
    for (std::size_t i = 0; i < 10; ++i)
        rows.push_back({ExtraDescriptionRecord::At(prx::kLine, i), Text(50 * i, 50, lines[i])});
    rows.push_back({prx::kMarker, Int16(500, 123)});
    test::ExpectGoldenRecord(rows, prx::kLayout);
}

}  // namespace
}  // namespace qorvana

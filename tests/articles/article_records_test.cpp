#include <gtest/gtest.h>

#include "articles/article_index_record.h"
#include "articles/article_record.h"
#include "articles/barcode_index_record.h"
#include "articles/extra_description_record.h"
#include "tests/layout_golden.h"

namespace qorvana {
namespace {

TEST(ArticleRecord, GoldenImage) {
    test::Image<ArticleLayout> image;
    image.text(0, "ABC")
        .text(15, "Caff\xE8 in grani")  // è in Windows-1252
        .text(55, "8001234567890")
        .text(68, "KG")
        .text(70, "xyz")
        .bytes(73, {0x0A, 0x00})                       // VAT code 10
        .bytes(75, {0, 0, 0, 0, 0, 0, 0x29, 0x40})     // 12.5
        .bytes(83, {0, 0, 0, 0, 0, 0x80, 0x2E, 0x40})  // 15.25
        .bytes(91, {1, 2, 3, 4, 5, 6, 7, 8})
        .bytes(123, {0, 0, 0, 0, 0, 0, 0x59, 0x40})                    // 100
        .bytes(139, {0, 0, 0, 0, 0, 0, 0x08, 0x40})                    // 3
        .bytes(179, {0, 0, 0, 0, 0, 0, 0x04, 0x40})                    // 2.5
        .bytes(195, {0x0A, 0xD7, 0xA3, 0x70, 0x3D, 0x4A, 0x93, 0x40})  // 1234.56
        .bytes(295, {0, 0, 0, 0, 0, 0, 0xE8, 0x3F})                    // 0.75
        .bytes(323, {0xFF, 0x7F})
        .bytes(325, {0x01, 0x00});
    test::ExpectReencodeUnchanged(image.record(), art::kLayout);
}

TEST(ArticleIndexRecord, GoldenImage) {
    test::Image<ArticleIndexLayout> sra;
    sra.text(0, "ART-001").bytes(15, {0x0C, 0x01});
    test::ExpectReencodeUnchanged(sra.record(), sra::kLayout);
}

TEST(BarcodeIndexRecord, GoldenImage) {
    test::Image<BarcodeIndexLayout> image;
    image.text(0, "8001234567890").bytes(13, {0x34, 0x12});
    test::ExpectReencodeUnchanged(image.record(), srb::kLayout);
}

TEST(ExtraDescriptionRecord, GoldenImage) {
    test::Image<ExtraDescriptionLayout> image;
    image.text(0, "Prima riga")
        .text(50, "Seconda riga")
        .text(450, "Decima riga, fino all'ultimo carattere della riga.")
        .bytes(500, {123, 0});
    test::ExpectReencodeUnchanged(image.record(), prx::kLayout);
}

}  // namespace
}  // namespace qorvana

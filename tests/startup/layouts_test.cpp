#include <gtest/gtest.h>

#include "startup/agent_record.h"
#include "startup/article_index_record.h"
#include "startup/counters_record.h"
#include "startup/customer_record.h"
#include "startup/general_settings_record.h"
#include "startup/name_index_record.h"
#include "tests/layout_golden.h"

namespace qorvana {
namespace {

using test::Image;

TEST(LayoutGolden, Counters) {
    Image<12> image;
    image.bytes(0, {0x2A, 0x00, 0x01, 0x00, 0xFF, 0xFF, 0x39, 0x30, 0x38, 0xB4, 0x96, 0x49});
    const auto& r = image.record();
    EXPECT_EQ(r.int16(tot::kWord1), 42);
    EXPECT_EQ(r.int16(tot::kWord2), 1);
    EXPECT_EQ(r.int16(tot::kWord3), -1);
    EXPECT_EQ(r.int16(tot::kWord4), 12345);
    EXPECT_EQ(r.single(tot::kSerial), 1234567.0f);
    test::ExpectReencodeUnchanged(r, tot::kLayout);
}

TEST(LayoutGolden, Customer) {
    Image<752> image;
    image.text(0, "ROSSI MARIO SRL")
        .text(40, "di Rossi & C.")
        .text(80, "VIA ROMA 1")
        .text(120, "FORL\xCC")  // FORLÌ
        .text(160, "47121")
        .text(165, "SEDE AMMINISTRATIVA")
        .text(285, "CESENA")
        .text(330, "0543 123456")
        .text(375, "01234567890")
        .text(386, "RSSMRA70A01D704X")
        .text(402, "BARTOLINI SPA")
        .text(482, "CORRIERE")
        .text(514, "1")
        .bytes(515, {0x00, 0x01, 0x02, 0xFE, 0x80, 0x7F, 0xAA})
        .text(522, "BANCA DI FORL\xCC")
        .text(558, "IT60")
        .text(562, "05428")
        .text(567, "11101")
        .text(572, "000000123456")
        .bytes(584, {0x1E, 0x00, 0x07, 0x00, 0x34, 0x12, 0x00, 0x80, 0x01, 0x00})
        .text(594, "12010001")
        .text(602, "58010001")
        .text(610, "24010001")
        .text(618, "58020001")
        .text(626, "IT")
        .bytes(628, {0x09})
        .text(629, "2")
        .text(632, "X")
        .text(633, "Consegna al mattino")
        .bytes(670, {0x7E, 0xFF, 0xFF})
        .text(673, "Note \x80 2")
        .bytes(712, {0x0D, 0x00})
        .text(714, "rossi@example.it")
        .bytes(750, {0x01, 0x00});
    const auto& r = image.record();
    EXPECT_EQ(r.text(cli::kName1), "ROSSI MARIO SRL");
    EXPECT_EQ(r.text(cli::kName2), "di Rossi & C.");
    EXPECT_EQ(r.text(cli::kAddress), "VIA ROMA 1");
    EXPECT_EQ(r.text(cli::kTown), "FORLÌ");
    EXPECT_EQ(r.text(cli::kPostcode), "47121");
    EXPECT_EQ(r.text(cli::kAdminName1), "SEDE AMMINISTRATIVA");
    EXPECT_EQ(r.text(cli::kAdminName2), "");
    EXPECT_EQ(r.text(cli::kAdminTown), "CESENA");
    EXPECT_EQ(r.text(cli::kPhone1), "0543 123456");
    EXPECT_EQ(r.text(cli::kVatNumber), "01234567890");
    EXPECT_EQ(r.text(cli::kTaxCode), "RSSMRA70A01D704X");
    EXPECT_EQ(r.text(cli::kCarrier1), "BARTOLINI SPA");
    EXPECT_EQ(r.text(cli::kCarrier3), "CORRIERE");
    EXPECT_EQ(r.text(cli::kPaFlag), "1");
    EXPECT_EQ(r.text(cli::kBankText), "BANCA DI FORLÌ");
    EXPECT_EQ(r.text(cli::kIbanPrefix), "IT60");
    EXPECT_EQ(r.text(cli::kAbi), "05428");
    EXPECT_EQ(r.text(cli::kCab), "11101");
    EXPECT_EQ(r.text(cli::kBankAccount), "000000123456");
    EXPECT_EQ(r.int16(cli::kPaymentCondition), 30);
    EXPECT_EQ(r.int16(cli::kAgentCode), 7);
    EXPECT_EQ(r.int16(cli::kCarried588), 0x1234);
    EXPECT_EQ(r.int16(cli::kCarried590), -32768);
    EXPECT_EQ(r.int16(cli::kRibOption), 1);
    EXPECT_EQ(r.text(cli::kCustomerAccount), "12010001");
    EXPECT_EQ(r.text(cli::kRevenueAccount), "58010001");
    EXPECT_EQ(r.text(cli::kVatAccount), "24010001");
    EXPECT_EQ(r.text(cli::kOutsideVatAccount), "58020001");
    EXPECT_EQ(r.text(cli::kVatPrefix), "IT");
    EXPECT_EQ(r.text(cli::kPriceList), "2");
    EXPECT_EQ(r.text(cli::kCin), "X");
    EXPECT_EQ(r.text(cli::kNotes1), "Consegna al mattino");
    EXPECT_EQ(r.int16(cli::kCarried671), -1);
    EXPECT_EQ(r.text(cli::kNotes2), "Note € 2");
    EXPECT_EQ(r.int16(cli::kVatCodeOverride), 13);
    EXPECT_EQ(r.text(cli::kEmail), "rossi@example.it");
    EXPECT_EQ(r.int16(cli::kDeleted), 1);
    test::ExpectReencodeUnchanged(r, cli::kLayout);
}

TEST(LayoutGolden, NameIndexAndArticleIndex) {
    Image<42> src;
    src.text(0, "ROSSI MARIO SRL").bytes(40, {0xFF, 0x7F});
    EXPECT_EQ(src.record().text(src::kKey), "ROSSI MARIO SRL");
    EXPECT_EQ(src.record().int16(src::kCustomer), 32767);
    test::ExpectReencodeUnchanged(src.record(), src::kLayout);

    Image<17> sra;
    sra.text(0, "ART-001").bytes(15, {0x0C, 0x01});
    EXPECT_EQ(sra.record().text(sra::kKey), "ART-001");
    EXPECT_EQ(sra.record().int16(sra::kArticle), 268);
    test::ExpectReencodeUnchanged(sra.record(), sra::kLayout);
}

TEST(LayoutGolden, Agent) {
    Image<600> image;
    image.text(0, "BIANCHI LUCA")
        .text(80, "VIA GARIBALDI 3")
        .text(120, "RIMINI")
        .text(160, "47921")
        .text(375, "09876543210")
        .text(402, "Zona Romagna")
        .bytes(442, {0x01, 0x02, 0x03})
        .text(478, "0007")
        .text(535, "carried text")
        .bytes(581, {0xFE, 0xFF})
        .bytes(584, {0x3C, 0x00, 0x05, 0x00})
        .bytes(598, {0x00, 0x01});
    const auto& r = image.record();
    EXPECT_EQ(r.text(age::kName1), "BIANCHI LUCA");
    EXPECT_EQ(r.text(age::kAddress), "VIA GARIBALDI 3");
    EXPECT_EQ(r.text(age::kTown), "RIMINI");
    EXPECT_EQ(r.text(age::kPostcode), "47921");
    EXPECT_EQ(r.text(age::kVatNumber), "09876543210");
    EXPECT_EQ(r.text(age::kDescription), "Zona Romagna");
    EXPECT_EQ(r.text(age::kCode), "0007");
    EXPECT_EQ(r.text(age::kCarried535), "carried text");
    EXPECT_EQ(r.int16(age::kCarried581), -2);
    EXPECT_EQ(r.int16(age::kPaymentCondition), 60);
    EXPECT_EQ(r.int16(age::kCarried586), 5);
    EXPECT_EQ(r.int16(age::kCarried598), 256);
    test::ExpectReencodeUnchanged(r, age::kLayout);
}

TEST(LayoutGolden, GeneralSettings) {
    Image<346> image;
    image
        .bytes(0, {0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                   0x00, 0x00, 0x00, 0x09, 0x00})
        .text(18, "stampante")
        .text(183, "91")
        .bytes(185, {0x00, 0x00, 0x00, 0x60, 0x5E, 0x9F, 0x6F, 0x41})
        .bytes(193, {0x00, 0x00, 0x00, 0xE0, 0xFF, 0xFF, 0x6F, 0x41})
        .text(201, "11")
        .bytes(242, {0x01, 0x00, 0x00, 0x00, 0xFF, 0xFF})
        .text(248, "04")
        .bytes(250, {0x01, 0x00})
        .text(252, "S")
        .text(256, "resto");
    const auto& r = image.record();
    EXPECT_EQ(r.int16(gnr::Leading(0)), 1);
    EXPECT_EQ(r.int16(gnr::Leading(1)), 2);
    EXPECT_EQ(r.int16(gnr::Leading(8)), 9);
    EXPECT_EQ(r.text(gnr::kCarried18), "stampante");
    EXPECT_EQ(r.text(gnr::kVersionMark), "9");
    EXPECT_EQ(r.text(gnr::kFlagB), "1");
    EXPECT_EQ(r.dbl(gnr::kRowColour1), gnr::kDefaultRowColour1);
    EXPECT_EQ(r.dbl(gnr::kRowColour2), gnr::kDefaultRowColour2);
    EXPECT_EQ(r.text(gnr::kAlternateRows), "1");
    EXPECT_EQ(r.text(gnr::kFlagC), "1");
    EXPECT_EQ(r.int16(gnr::kScorporo), 1);
    EXPECT_EQ(r.int16(gnr::kBarcode), 0);
    EXPECT_EQ(r.int16(gnr::kCarried246), -1);
    EXPECT_EQ(r.text(gnr::kDefaultVatCode), "04");
    EXPECT_EQ(r.int16(gnr::kWeightSwitch), 1);
    EXPECT_EQ(r.text(gnr::kNumberWithYear), "S");
    EXPECT_EQ(r.text(gnr::kCarried256), "resto");
    test::ExpectReencodeUnchanged(r, gnr::kLayout);
}

}  // namespace
}  // namespace qorvana

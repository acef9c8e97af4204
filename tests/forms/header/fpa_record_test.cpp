#include "forms/header/fpa_record.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "forms/header/fpa_file.h"

namespace qorvana {
namespace {

struct GoldenField {
    Field field;
    std::size_t offset;  // written out by hand from the file's documented layout
    std::size_t width;
    const char* text;  // Windows-1252 bytes as they stand in the file
};

// Every field of the record, with its documented offset and width and a sample value.
const GoldenField kGolden[] = {
    {fpa::kMarker, 0, 3, "1"},
    {fpa::kTransmitterCountry, 3, 2, "IT"},
    {fpa::kTransmitterId, 5, 28, "01234567890"},
    {fpa::kRecipientCode, 33, 6, "F4abcd"},
    {fpa::kSellerTaxCode, 39, 16, "RSSMRA80A01H501U"},
    {fpa::kSellerVatNumber, 55, 12, "01234567890"},
    {fpa::kTaxRegimeIndex, 67, 2, "00"},
    {fpa::kCompanyKind, 69, 1, "2"},
    {fpa::kRegisterFlag, 70, 1, "1"},
    {fpa::kRegisterOffice, 71, 2, "RM"},
    {fpa::kRegisterNumber, 73, 20, "F11abcdefghi"},
    {fpa::kShareCapital, 93, 14, "F12abcdefghi"},
    {fpa::kSingleMember, 107, 2, "13"},
    {fpa::kLiquidation, 109, 2, "14"},
    {fpa::kSellerName, 111, 80, "Qorvana Demo S.r.l."},
    {fpa::kSellerSurname, 191, 60, "F16abcdefghi"},
    {fpa::kSellerFirstName, 251, 60, "F17abcdefghi"},
    {fpa::kSellerAddress, 311, 60, "F18abcdefghi"},
    {fpa::kCarried371, 371, 8, "F19abcde"},
    {fpa::kSellerPostcode, 379, 5, "00100"},
    {fpa::kSellerTown, 384, 60, "Roma"},
    {fpa::kSellerProvince, 444, 2, "22"},
    {fpa::kSellerCountry, 446, 2, "23"},
    {fpa::kEstablishmentAddress, 448, 60, "F24abcdefghi"},
    {fpa::kCarried508, 508, 8, "F25abcde"},
    {fpa::kEstablishmentPostcode, 516, 5, "F26ab"},
    {fpa::kEstablishmentTown, 521, 60, "F27abcdefghi"},
    {fpa::kEstablishmentProvince, 581, 2, "28"},
    {fpa::kEstablishmentCountry, 583, 2, "29"},
    {fpa::kSellerPhone, 585, 12, "F30abcdefghi"},
    {fpa::kSellerFax, 597, 12, "F31abcdefghi"},
    {fpa::kSellerEmail, 609, 98, "F32abcdefghi"},
    {fpa::kSeparateSeries, 707, 1, "1"},
    {fpa::kCombo5Position, 708, 1, "2"},
    {fpa::kDocumentType, 709, 4, "TD01"},
    {fpa::kDocumentDate, 713, 10, "15/01/2024"},
    {fpa::kDocumentNumber, 723, 20, "2024/15"},
    {fpa::kDdtDate, 743, 10, "F38abcdefg"},
    {fpa::kDdtNumber, 753, 20, "F39abcdefghi"},
    {fpa::kWithholdingType, 773, 4, "F40a"},
    {fpa::kWithholdingAmount, 777, 15, "F41abcdefghi"},
    {fpa::kWithholdingRate, 792, 6, "F42abc"},
    {fpa::kWithholdingReason, 798, 1, "r"},
    {fpa::kFundType, 799, 4, "F44a"},
    {fpa::kFundRate, 803, 6, "F45abc"},
    {fpa::kFundContribution, 809, 15, "F46abcdefghi"},
    {fpa::kFundTaxable, 824, 15, "F47abcdefghi"},
    {fpa::kFundVatRate, 839, 6, "F48abc"},
    {fpa::kFundWithholding, 845, 2, "49"},
    {fpa::kFundNature, 847, 2, "50"},
    {fpa::kProgressive, 849, 6, "F51abc"},
    {fpa::kOrderId, 855, 20, "F52abcdefghi"},
    {fpa::kOrderDate, 875, 10, "F53abcdefg"},
    {fpa::kOrderItem, 885, 10, "F54abcdefg"},
    {fpa::kOrderJobCode, 895, 10, "F55abcdefg"},
    {fpa::kContractId, 905, 20, "F56abcdefghi"},
    {fpa::kContractDate, 925, 10, "F57abcdefg"},
    {fpa::kContractItem, 935, 10, "F58abcdefg"},
    {fpa::kContractJobCode, 945, 10, "F59abcdefg"},
    {fpa::kConventionId, 955, 20, "F60abcdefghi"},
    {fpa::kConventionDate, 975, 10, "F61abcdefg"},
    {fpa::kConventionItem, 985, 10, "F62abcdefg"},
    {fpa::kConventionJobCode, 995, 10, "F63abcdefg"},
    {fpa::kReceptionId, 1005, 20, "F64abcdefghi"},
    {fpa::kReceptionDate, 1025, 10, "F65abcdefg"},
    {fpa::kReceptionItem, 1035, 10, "F66abcdefg"},
    {fpa::kReceptionJobCode, 1045, 10, "F67abcdefg"},
    {fpa::kCupCode, 1055, 15, "F68abcdefghi"},
    {fpa::kCigCode, 1070, 15, "F69abcdefghi"},
    {fpa::kCarrierCountry, 1085, 2, "70"},
    {fpa::kCarrierId, 1087, 28, "F71abcdefghi"},
    {fpa::kCarrierTaxCode, 1115, 16, "F72abcdefghi"},
    {fpa::kCarrierName, 1131, 80, "F73abcdefghi"},
    {fpa::kPaymentCondition, 1211, 4, "TP02"},
    {fpa::kPaymentMode, 1215, 4, "MP05"},
    {fpa::kArt73, 1219, 1, "0"},
    {fpa::kDeferredVat, 1220, 1, "1"},
    {fpa::kCarried1221, 1221, 1000, "F78abcdefghi"},
    {fpa::kXmlFolder, 2221, 200, "C:\\fatture"},
};

// A hand-made image of the record: blank-padded fields at their documented offsets, and
// arbitrary bytes in the carried areas.
std::string GoldenImage() {
    std::string image(2421, ' ');
    for (const auto& g : kGolden) image.replace(g.offset, std::string(g.text).size(), g.text);
    image.replace(384, 5, "Citt\xE0");
    for (std::size_t i = 0; i < 8; ++i) image[371 + i] = static_cast<char>(0xF8 + i);
    for (std::size_t i = 0; i < 1000; ++i) image[1221 + i] = static_cast<char>(i % 256);
    return image;
}

TEST(FpaRecordLayout, GoldenImageDecodesAndReencodesUnchanged) {
    const std::string image = GoldenImage();
    FpaRecord record;
    std::copy(image.begin(), image.end(), record.bytes().begin());

    for (const auto& g : kGolden) {
        SCOPED_TRACE(g.offset);
        EXPECT_EQ(g.field.offset, g.offset);
        EXPECT_EQ(g.field.width, g.width);
        if (g.field.type == FieldType::Text && g.offset != 384) {
            EXPECT_EQ(record.text(g.field), g.text);
        }
    }
    EXPECT_EQ(record.text(fpa::kSellerTown), "Città");
    EXPECT_EQ(record.text(fpa::kXmlFolder), "C:\\fatture");

    FpaRecord rebuilt;
    for (auto& b : rebuilt.bytes()) b = ' ';
    for (const auto& def : kFpaFields) {
        const Field f = def.field;
        if (f.type == FieldType::Text) {
            EXPECT_TRUE(rebuilt.setText(f, record.text(f))) << def.name;
        } else {
            std::copy_n(record.bytes().begin() + static_cast<std::ptrdiff_t>(f.offset), f.width,
                        rebuilt.bytes().begin() + static_cast<std::ptrdiff_t>(f.offset));
        }
    }
    EXPECT_TRUE(rebuilt == record);
}

class FpaFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ =
            std::filesystem::temp_directory_path() /
            ("fpa_file_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

TEST_F(FpaFileTest, MissingFileGivesMarkerZeroAndIsNotCreated) {
    const auto file = dir_ / "qorvana.fpa";
    const FpaRecord record = LoadFpaRecord(file);
    EXPECT_EQ(record.text(fpa::kMarker), "0");
    EXPECT_EQ(record.text(fpa::kSellerName), "");
    EXPECT_EQ(record.bytes()[2420], ' ');
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(FpaFileTest, ExistingFileIsReadAsRecordOne) {
    const auto file = dir_ / "qorvana.fpa";
    const std::string image = GoldenImage();
    std::ofstream(file, std::ios::binary) << image << "next record";
    const FpaRecord record = LoadFpaRecord(file);
    EXPECT_EQ(record.text(fpa::kMarker), "1");
    EXPECT_EQ(record.text(fpa::kSeparateSeries), "1");
    EXPECT_EQ(record.text(fpa::kXmlFolder), "C:\\fatture");
    EXPECT_EQ(std::filesystem::file_size(file), image.size() + 11);

    std::ofstream(file, std::ios::binary | std::ios::trunc) << image.substr(0, 40);
    const FpaRecord shortRecord = LoadFpaRecord(file);
    EXPECT_EQ(shortRecord.text(fpa::kTransmitterCountry), "IT");
    EXPECT_EQ(shortRecord.text(fpa::kSellerName), "");
}

}  // namespace
}  // namespace qorvana

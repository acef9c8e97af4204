#include "fatturapa/fpa_record.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "fatturapa/fpa_file.h"
#include "tests/layout_golden.h"
#include "tests/temp_dir.h"

namespace qorvana {
namespace {

using namespace fpa;

// Every field of the record with its offset and width, written out by hand from the file's
// documented layout.
struct GoldenField {
    Field<FpaLayout> field;
    std::size_t offset;
    std::size_t width;
};
// clang-format off
const GoldenField kGolden[] = {
    {kMarker, 0, 3}, {kTransmitterCountry, 3, 2}, {kTransmitterId, 5, 28}, {kRecipientCode, 33, 6},
    {kSellerTaxCode, 39, 16}, {kSellerVatNumber, 55, 12}, {kTaxRegimeIndex, 67, 2},
    {kCompanyKind, 69, 1}, {kRegisterFlag, 70, 1}, {kRegisterOffice, 71, 2},
    {kRegisterNumber, 73, 20}, {kShareCapital, 93, 14}, {kSingleMember, 107, 2},
    {kLiquidation, 109, 2}, {kSellerName, 111, 80}, {kSellerSurname, 191, 60},
    {kSellerFirstName, 251, 60}, {kSellerAddress, 311, 60}, {kCarried371, 371, 8},
    {kSellerPostcode, 379, 5}, {kSellerTown, 384, 60}, {kSellerProvince, 444, 2},
    {kSellerCountry, 446, 2}, {kEstablishmentAddress, 448, 60}, {kCarried508, 508, 8},
    {kEstablishmentPostcode, 516, 5}, {kEstablishmentTown, 521, 60},
    {kEstablishmentProvince, 581, 2}, {kEstablishmentCountry, 583, 2}, {kSellerPhone, 585, 12},
    {kSellerFax, 597, 12}, {kSellerEmail, 609, 98}, {kSeparateSeries, 707, 1},
    {kSeriesPosition, 708, 1}, {kDocumentType, 709, 4}, {kDocumentDate, 713, 10},
    {kDocumentNumber, 723, 20}, {kDdtDate, 743, 10}, {kDdtNumber, 753, 20},
    {kWithholdingType, 773, 4}, {kWithholdingAmount, 777, 15}, {kWithholdingRate, 792, 6},
    {kWithholdingReason, 798, 1}, {kFundType, 799, 4}, {kFundRate, 803, 6},
    {kFundContribution, 809, 15}, {kFundTaxable, 824, 15}, {kFundVatRate, 839, 6},
    {kFundWithholding, 845, 2}, {kFundNature, 847, 2}, {kProgressive, 849, 6}, {kOrderId, 855, 20},
    {kOrderDate, 875, 10}, {kOrderItem, 885, 10}, {kOrderJobCode, 895, 10}, {kContractId, 905, 20},
    {kContractDate, 925, 10}, {kContractItem, 935, 10}, {kContractJobCode, 945, 10},
    {kConventionId, 955, 20}, {kConventionDate, 975, 10}, {kConventionItem, 985, 10},
    {kConventionJobCode, 995, 10}, {kReceptionId, 1005, 20}, {kReceptionDate, 1025, 10},
    {kReceptionItem, 1035, 10}, {kReceptionJobCode, 1045, 10}, {kCupCode, 1055, 15},
    {kCigCode, 1070, 15}, {kCarrierCountry, 1085, 2}, {kCarrierId, 1087, 28},
    {kCarrierTaxCode, 1115, 16}, {kCarrierName, 1131, 80}, {kPaymentCondition, 1211, 4},
    {kPaymentMode, 1215, 4}, {kArt73, 1219, 1}, {kDeferredVat, 1220, 1}, {kCarried1221, 1221, 1000},
    {kXmlFolder, 2221, 200},
};
// clang-format on

// The golden rows: every field is text but three runs not read; each text holds "F" and its
// offset, cut to its width, and the seller's town is Windows-1252.
const std::vector<test::Golden<FpaLayout>>& GoldenRows() {
    static std::deque<std::string> texts;
    static const auto rows = [] {
        std::vector<test::Golden<FpaLayout>> all;
        for (const auto& g : kGolden) {
            if (g.offset == 371 || g.offset == 508 || g.offset == 1221) {  // not read
                all.push_back(test::Carried(g.offset, g.width));
                continue;
            }
            texts.push_back(("F" + std::to_string(g.offset)).substr(0, g.width));
            all.push_back({g.field, test::Text(g.offset, g.width, texts.back())});
        }
        for (auto& row : all)
            if (row.at.offset == 384) row = {kSellerTown, test::Text(384, 60, "Citt\xE0"), "Città"};
        return all;
    }();
    return rows;
}

std::string GoldenImage() {
    std::string image(kLength, ' ');
    for (const auto& row : GoldenRows())
        test::Place(std::span(reinterpret_cast<std::uint8_t*>(image.data()), image.size()), row.at);
    return image;
}

TEST(LayoutGolden, FpaRecord) {
    test::ExpectGoldenRecord(GoldenRows(), fpa::kLayout);
}

TEST(FpaFile, MissingShortLongAndUnreadableFiles) {
    testing::TempDir dir;
    const auto file = dir.path() / "qorvana.fpa";
    const Result<FpaRecord> missing = LoadFpaRecord(file, "c:\\qorvana.fpa");
    ASSERT_TRUE(missing) << missing.message();
    EXPECT_EQ(missing->text(fpa::kMarker), "0");
    EXPECT_EQ(missing->text(fpa::kSellerName), "");
    EXPECT_EQ(missing->bytes()[2420], ' ');
    EXPECT_FALSE(std::filesystem::exists(file));

    const std::string image = GoldenImage();
    dir.write("qorvana.fpa", image + "next record");
    const Result<FpaRecord> record = LoadFpaRecord(file, "c:\\qorvana.fpa");
    ASSERT_TRUE(record) << record.message();
    EXPECT_EQ(record->text(fpa::kXmlFolder), "F2221");
    EXPECT_EQ(std::filesystem::file_size(file), image.size() + 11);

    dir.write("qorvana.fpa", image.substr(0, 40));
    const Result<FpaRecord> shortRecord = LoadFpaRecord(file, "c:\\qorvana.fpa");
    ASSERT_TRUE(shortRecord) << shortRecord.message();
    EXPECT_EQ(shortRecord->text(fpa::kTransmitterCountry), "F3");
    EXPECT_EQ(shortRecord->text(fpa::kSellerName), "");

    std::filesystem::resize_file(file, 65 << 20);  // past what a whole file is read to
    EXPECT_EQ(LoadFpaRecord(file, "c:\\qorvana.fpa")
                  .message()
                  .rfind("Il file c:\\qorvana.fpa non può essere letto", 0),
              0u);
}

}  // namespace
}  // namespace qorvana

#include "core/settings.h"

#include <gtest/gtest.h>

#include "core/general_settings_record.h"
#include "tests/temp_dir.h"

namespace qorvana {
namespace {

using testing::TempDir;

constexpr const char* kCompany = testing::kCompanyFolder;
constexpr const char* kRoot = testing::kDataRoot;

// A qorvana.tab whose line n reads "L<n>".
std::vector<std::string> NumberedLines() {
    std::vector<std::string> lines;
    for (int n = 1; n <= TabFile::kLines; ++n) lines.push_back("L" + std::to_string(n));
    return lines;
}

class SettingsTest : public ::testing::Test, protected testing::CompanyDrive {
  protected:
    std::string savedGnr() const { return drive.read(std::string(kCompany) + "qorvana.gnr"); }
    std::string gnrImage(const std::string& vatCode, const std::string& versionMark) {
        GeneralSettingsRecord r;
        r.bytes()[0] = 7;
        r.setText(gnr::kCarried18, "carried text");
        r.setText(gnr::kVersionMark, versionMark);
        r.setText(gnr::kAlternateRows, "0");
        r.setText(gnr::kDefaultVatCode, vatCode);
        r.setDouble(gnr::kRowColour1, 255);
        r.setText(gnr::kCarried256, "tail");
        return std::string(r.bytes().begin(), r.bytes().end());
    }
};

// The currency mode, amount decimals and electronic-invoice switch of the currency file, or
// their defaults; the amounts follow the decimals. The switch is on when its numeric value is
// not 0.
TEST_F(SettingsTest, CurrencyFileMissingEmptyShortAndNormal) {
    const std::string defaults = "1 2 0";
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {std::nullopt, defaults},
        {"", defaults},
        {"0,1936.27\r\n", defaults},
        {"0,1936.27,ITL,EUR,3\r\n", "0 3 0"},
        {"5,1936.27,\"ITL\",EUR,4\r\n1\r\n7\r\n", "1 4 1"},
        {"1,1936.27,ITL,EUR,9\r\n0\r\n9\r\n", defaults},
        {"1,1936.27,ITL,EUR,0\r\n0\r\n9\r\n", defaults},
        {"1,1936.27,ITL,EUR,2\r\nabc\r\n", defaults},
    };
    for (const auto& [eur, slots] : cases) {
        SCOPED_TRACE(eur.value_or("missing"));
        std::filesystem::remove(drive.path() / kRoot / "qorvana.eur");
        if (eur) writeRoot("qorvana.eur", *eur);
        LoadSharedSettings(session);
        const RunSettings& got = session.runSettings;
        EXPECT_EQ(std::to_string(got.euro) + " " + std::to_string(got.priceDecimals) + " " +
                      std::to_string(got.electronicInvoices),
                  slots);
    }
    writeRoot("qorvana.eur", "1,1936.27,ITL,EUR,4\r\n");
    LoadSharedSettings(session);
    EXPECT_EQ(session.money().FormatCurrencyAmount(12.5), "12,5000");
}

// No record: the defaults. An empty or short record reads as blank where it ends; a VAT code
// outside 1..24 becomes 01, another version mark is brought to 9. Written back whole.
TEST_F(SettingsTest, GeneralSettingsNormalisedAndWrittenBack) {
    constexpr double kOwnColour = 255;  // gnrImage's row colour 1
    struct Case {
        std::optional<std::string> bytes;
        const char* vatAfter;
        const char* alternateRows;
        double rowColour1;
        const char* carried;
    };
    const Case cases[] = {
        {std::nullopt, "01", "0", gnr::kDefaultRowColour1, ""},
        {"", "01", "1", gnr::kDefaultRowColour1, ""},
        {gnrImage("07", "9").substr(0, 180), "01", "1", gnr::kDefaultRowColour1, "carried text"},
        {gnrImage("00", "9"), "01", "0", kOwnColour, "carried text"},
        {gnrImage("25", "9"), "01", "0", kOwnColour, "carried text"},
        {gnrImage("ab", "9"), "01", "0", kOwnColour, "carried text"},
        {gnrImage("24", "8"), "24", "1", gnr::kDefaultRowColour1, "carried text"},
        {gnrImage("00", " "), "01", "1", gnr::kDefaultRowColour1, "carried text"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        if (c.bytes) writeCompany("qorvana.gnr", *c.bytes);
        EXPECT_TRUE(RefreshSharedSettings(session).empty());
        const auto& g = session.generalSettings;
        EXPECT_EQ(g.text(gnr::kDefaultVatCode), c.vatAfter);
        EXPECT_EQ(g.text(gnr::kVersionMark), "9");
        EXPECT_EQ(g.text(gnr::kAlternateRows), c.alternateRows);
        EXPECT_EQ(g.dbl(gnr::kRowColour1), c.rowColour1);
        EXPECT_EQ(g.text(gnr::kCarried18), c.carried);
        EXPECT_EQ(savedGnr(), std::string(g.bytes().begin(), g.bytes().end()));
    }
    EXPECT_TRUE(std::filesystem::is_directory(drive.path() / "qorwin/PDF") ||
                std::filesystem::is_directory(drive.path() / "QORWIN/PDF"));
}

// Loading never writes: the record to save is only said. The company's record is written only
// when it changed (the PDF folder made with it), whole, keeping what the file holds after it; a
// record of the data root is copied to the company.
TEST_F(SettingsTest, CompanyRecordWrittenOnlyWhenChangedAndWhole) {
    writeCompany("qorvana.gnr", gnrImage("04", "9"));
    const auto file = drive.path() / kCompany / "qorvana.gnr";
    const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    std::filesystem::last_write_time(file, past);
    EXPECT_TRUE(RefreshSharedSettings(session).empty());
    EXPECT_EQ(session.generalSettings.text(gnr::kDefaultVatCode), "04");
    EXPECT_EQ(std::filesystem::last_write_time(file), past);
    EXPECT_FALSE(std::filesystem::exists(drive.path() / "qorwin/PDF"));

    std::filesystem::remove(file);
    writeRoot("qorvana.gnr", gnrImage("10", "9"));
    writeCompany("qorvana.int", "Ditta Prova S.r.l.\r\nVia Roma 1\r\n");
    EXPECT_TRUE(LoadSharedSettings(session).saveGeneralSettings);
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(SaveGeneralSettings(session));
    EXPECT_EQ(savedGnr(), gnrImage("10", "9"));

    writeCompany("qorvana.gnr", gnrImage("04", "8") + "record 2");
    EXPECT_TRUE(RefreshSharedSettings(session).empty());
    EXPECT_EQ(savedGnr().substr(gnr::kLength), "record 2");
    EXPECT_EQ(session.generalSettings.text(gnr::kVersionMark), "9");
}

// A settings file that is there but cannot be read (a folder in its place) is said by its
// suite path and its defaults are used; an unreadable qorvana.gnr is never written over.
TEST_F(SettingsTest, UnreadableSettingsFilesAreSaid) {
    const std::pair<std::string, std::string> files[] = {
        {std::string(kCompany) + "qorvana.int", "\\qorwin\\qorwin\\qoraz0.001\\qorvana.int"},
        {std::string(kRoot) + "qorvana.eur", "\\qorwin\\qorwin\\qorvana.eur"},
        {std::string(kRoot) + "qorvana.tbl", "\\qorwin\\qorwin\\qorvana.tbl"},
        {std::string(kCompany) + "qorvana.gnr", "\\qorwin\\qorwin\\qoraz0.001\\qorvana.gnr"},
        {std::string(kCompany) + "qorvana.tab", "\\qorwin\\qorwin\\qoraz0.001\\qorvana.tab"},
        {std::string(kRoot) + "qorvana.prg", "\\qorwin\\qorwin\\qorvana.prg"},
    };
    for (const auto& [file, suitePath] : files)
        std::filesystem::create_directories(drive.path() / file);
    std::vector<std::string> problems = RefreshSharedSettings(session);
    const StartTables tables =
        LoadStartTables(session, TabFile::Load(session.companyFile("qorvana.tab")));
    problems.insert(problems.end(), tables.problems.begin(), tables.problems.end());
    ASSERT_EQ(problems.size(), std::size(files));
    for (std::size_t i = 0; i < problems.size(); ++i)
        EXPECT_EQ(problems[i], "Il file " + files[i].second +
                                   " non può essere letto: al posto del file c'è una cartella "
                                   "(rimuoverla o rinominarla). Si usano i valori predefiniti.");
    EXPECT_EQ(session.runSettings.priceDecimals, 2);
    EXPECT_EQ(session.generalSettings.text(gnr::kDefaultVatCode), "01");
    EXPECT_TRUE(std::filesystem::is_directory(drive.path() / kCompany / "qorvana.gnr"));
    EXPECT_TRUE(tables.carriers.empty());
}

TEST_F(SettingsTest, ModulesListNeedsTheExactLine) {
    EXPECT_FALSE(ModulesListHas(session, "=FPA"));
    // clang-format off
    const std::pair<const char*, bool> cases[] = {
        {"=PIA\r\n=FPA\r\n=AGE\r\n", true}, {"=FPA", true},          {"=FPA \r\n", false},
        {"=fpa\r\n", false},                {" =FPA\r\n", false},     {"=FPAX\r\n", false}};
    // clang-format on
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        writeRoot("qorvana.prg", text);
        EXPECT_EQ(ModulesListHas(session, "=FPA"), expected);
    }
}

TEST_F(SettingsTest, StartTablesFromTheCarrierBlock) {
    std::vector<std::string> lines = NumberedLines();
    const StartTables t = LoadStartTables(session, TabFile::FromLines(lines));
    ASSERT_EQ(t.carriers.size(), 40u);
    EXPECT_EQ(t.goodsAppearance[0], "L384");
    EXPECT_EQ(t.carrierRows[40][5], "L622");

    const StartTables none = LoadStartTables(session, TabFile::Load(drive.path() / "none.tab"));
    EXPECT_TRUE(none.carriers.empty());
    lines.resize(400);
    const StartTables shortFile = LoadStartTables(session, TabFile::FromLines(lines));
    EXPECT_EQ(shortFile.transportReasons.size(), 3u);
    EXPECT_EQ(shortFile.carrierRows[3][5], "L400");
    EXPECT_EQ(shortFile.carrierRows[4][0], "");
}

TEST(TabFileMap, EveryBlockWhereTheMapSaysAndItems) {
    // Each block's last entry before its break into the second block, and the first after.
    const std::pair<int, int> map[] = {
        {TabFile::VatCodeLine(1), 1},        {TabFile::VatCodeLine(8), 29},
        {TabFile::VatCodeLine(9), 623},      {TabFile::VatCodeLine(16), 651},
        {TabFile::ExemptionLine(8), 65},     {TabFile::ExemptionLine(9), 679},
        {TabFile::PaymentTermLine(30), 142}, {TabFile::PaymentTermLine(31), 703},
        {TabFile::PaymentTermLine(60), 761}, {TabFile::ListEntryLine(40), 192},
        {TabFile::ListEntryLine(41), 774},   {TabFile::ListEntryLine(100), 833},
        {TabFile::CarrierLine(40), 617},     {TabFile::VatCodeLine(17), 0},
    };
    for (const auto& [line, expected] : map) EXPECT_EQ(line, expected);

    const TabFile tab = TabFile::FromLines(NumberedLines());
    EXPECT_EQ(tab.line(0), "");
    EXPECT_EQ(tab.line(834), "");
    EXPECT_EQ(tab.line(TabFile::kSeriesTable), "L144");
    EXPECT_EQ(tab.item(57, 2), "");

    TempDir dir;
    const TabFile loaded = TabFile::Load(dir.write("qorvana.tab", "IVA 22%\r\nCitt\xE0\r\n"));
    EXPECT_TRUE(loaded.loaded());
    EXPECT_EQ(loaded.lineCount(), 2);
    EXPECT_EQ(loaded.line(2), "Città");
    EXPECT_FALSE(TabFile::Load(dir.path() / "missing").loaded());
}

}  // namespace
}  // namespace qorvana

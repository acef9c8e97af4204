#include "startup/settings.h"

#include <gtest/gtest.h>

#include "startup/general_settings_record.h"
#include "tests/startup/temp_dir.h"

namespace qorvana {
namespace {

using testing::TempDir;

constexpr const char* kCompany = "qorwin/qorwin/qoraz0.001/";
constexpr const char* kRoot = "qorwin/qorwin/";

// "L<n>": a distinct text for line n of a generated qorvana.tab.
std::string LineText(int n) {
    std::string text = "L";
    text += std::to_string(n);
    return text;
}

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(drive.path() / kCompany);
        session.paths = PathMapper(drive.path());
        session.companyNumber = 1;
    }
    void writeCompany(const std::string& name, std::string_view bytes) {
        drive.write(std::string(kCompany) + name, bytes);
    }
    void writeRoot(const std::string& name, std::string_view bytes) {
        drive.write(std::string(kRoot) + name, bytes);
    }
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

    TempDir drive;
    Session session;
};

TEST_F(SettingsTest, CurrencyFileMissingEmptyShortAndNormal) {
    struct Case {
        const char* name;
        std::optional<std::string> eur;
        std::array<const char*, 7> slots;  // 1..6 and 11
    };
    const Case cases[] = {
        {"missing", std::nullopt, {"1", "1936.27", "ITL", "EUR", "2", "0", "9"}},
        {"empty", "", {"1", "1936.27", "ITL", "EUR", "2", "0", "9"}},
        {"short", "0,1936.27\r\n", {"1", "1936.27", "ITL", "EUR", "2", "0", "9"}},
        {"no lines", "0,1936.27,ITL,EUR,3\r\n", {"0", "1936.27", "ITL", "EUR", "3", "0", "9"}},
        {"normal",
         "5,1936.27,\"ITL\",EUR,4\r\n1\r\n7\r\n",
         {"1", "1936.27", "ITL", "EUR", "4", "1", "7"}},
        {"decimals 9",
         "1,1936.27,ITL,EUR,9\r\n0\r\n9\r\n",
         {"1", "1936.27", "ITL", "EUR", "2", "0", "9"}},
        {"decimals 0",
         "1,1936.27,ITL,EUR,0\r\n0\r\n9\r\n",
         {"1", "1936.27", "ITL", "EUR", "2", "0", "9"}},
        {"decimals empty",
         "1,1936.27,ITL,EUR,\r\n0\r\n9\r\n",
         {"1", "1936.27", "ITL", "EUR", "2", "0", "9"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(drive.path() / kRoot / "qorvana.eur");
        if (c.eur) writeRoot("qorvana.eur", *c.eur);
        LoadSharedSettings(session);
        for (int slot = 1; slot <= 6; ++slot)
            EXPECT_EQ(session.workStrings[slot], c.slots[slot - 1]);
        EXPECT_EQ(session.workStrings[11], c.slots[6]);
    }
}

TEST_F(SettingsTest, AmountDecimalsFollowTheNormalisedSlot) {
    writeRoot("qorvana.eur", "1,1936.27,ITL,EUR,9\r\n");
    LoadSharedSettings(session);
    EXPECT_EQ(session.money().FormatCurrencyAmount(12.5), "12,50");
    writeRoot("qorvana.eur", "1,1936.27,ITL,EUR,4\r\n");
    LoadSharedSettings(session);
    EXPECT_EQ(session.money().FormatCurrencyAmount(12.5), "12,5000");
    writeRoot("qorvana.eur", "0,1936.27,ITL,EUR,2\r\n");
    LoadSharedSettings(session);
    EXPECT_EQ(session.money().FormatAmount(1234567), "1.234.567");
}

TEST_F(SettingsTest, LocalSettingsLines) {
    LoadSharedSettings(session);
    EXPECT_EQ(session.localSettings[1], "");
    writeCompany("qorvana.int", "Ditta Prova S.r.l.\r\nVia Roma 1\r\n");
    LoadSharedSettings(session);
    EXPECT_EQ(session.localSettings[1], "Ditta Prova S.r.l.");
    EXPECT_EQ(session.localSettings[2], "Via Roma 1");
    EXPECT_EQ(session.localSettings[3], "");
}

TEST_F(SettingsTest, PrintFontTableDefaultsAndFile) {
    LoadSharedSettings(session);
    auto& f = session.printFonts;
    EXPECT_EQ(f[0].pages, (std::array<int, 5>{30, 950, 30, 950, 2}));
    EXPECT_EQ(f[1].fontName, "Arial");
    EXPECT_EQ(f[1].fontSize, 14);
    EXPECT_EQ(f[5].fontSize, 9);
    EXPECT_EQ(f[0].numberH, 4 * 25 + 140);
    EXPECT_EQ(f[0].colourG, 16777215);

    std::string tbl = "10,20,30,40,50\r\n";
    for (int e = 0; e <= 5; ++e) {
        tbl += std::to_string(e + 2) + "\r\nFont" + std::to_string(e) + "\r\n" +
               std::to_string(10 + e) + "\r\n1\r\n0\r\n" + std::to_string(e) + ".5\r\n";
    }
    tbl += "a\r\nb\r\nc\r\nd\r\ne\r\n255\r\n";
    tbl += "11\r\n12\r\n13\r\n14\r\n15\r\nskipped\r\n";
    writeRoot("qorvana.tbl", tbl);
    LoadSharedSettings(session);
    EXPECT_EQ(f[0].pages, (std::array<int, 5>{10, 20, 30, 40, 50}));
    EXPECT_EQ(f[0].fontName, "Font0");
    EXPECT_EQ(f[3].fontName, "Font3");
    EXPECT_EQ(f[3].fontSize, 13);
    EXPECT_EQ(f[3].bold, 1);
    EXPECT_EQ(f[3].numberF, 3.5);
    EXPECT_EQ(f[0].colourG, 255);
    EXPECT_EQ(f[0].numberH, 2 * 25 + 140);
    EXPECT_EQ(f[1].pages[4], 11);
    EXPECT_EQ(f[1].numberH, 12);
    EXPECT_EQ(f[2].numberH, 13);
    EXPECT_EQ(f[1].colourG, 14);
    EXPECT_EQ(f[2].colourG, 15);

    writeRoot("qorvana.tbl", "10,20,30,40,50\r\n2\r\nFont0\r\n");  // short: fonts default
    LoadSharedSettings(session);
    EXPECT_EQ(f[0].pages[0], 10);
    EXPECT_EQ(f[1].fontSize, 14);
    EXPECT_EQ(f[0].numberH, 240);
}

TEST_F(SettingsTest, GeneralSettingsDefaultsWhenNoFileExists) {
    LoadSharedSettings(session);
    const auto& g = session.generalSettings;
    EXPECT_EQ(g.text(gnr::kVersionMark), "9");
    EXPECT_EQ(g.text(gnr::kDefaultVatCode), "01");
    EXPECT_EQ(g.text(gnr::kAlternateRows), "0");
    EXPECT_EQ(g.text(gnr::kFlagB), "1");
    EXPECT_EQ(g.text(gnr::kFlagC), "1");
    EXPECT_EQ(g.dbl(gnr::kRowColour1), 16579315);
    EXPECT_EQ(g.dbl(gnr::kRowColour2), 16777215);
    EXPECT_EQ(g.int16(gnr::Leading(0)), 0);
    EXPECT_TRUE(std::filesystem::is_directory(drive.path() / "qorwin/PDF") ||
                std::filesystem::is_directory(drive.path() / "QORWIN/PDF"));
    const std::string saved = drive.read(std::string(kCompany) + "qorvana.gnr");
    EXPECT_EQ(saved, std::string(g.bytes().begin(), g.bytes().end()));
}

TEST_F(SettingsTest, GeneralSettingsNormalisedAndWrittenBack) {
    struct Case {
        const char* vat;
        const char* mark;
        const char* vatAfter;
        bool upgraded;
    };
    const Case cases[] = {
        {"00", "9", "01", false}, {"25", "9", "01", false}, {"ab", "9", "01", false},
        {"24", "8", "24", true},  {"00", " ", "01", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.vat) + "/" + c.mark);
        writeCompany("qorvana.gnr", gnrImage(c.vat, c.mark));
        LoadSharedSettings(session);
        const auto& g = session.generalSettings;
        EXPECT_EQ(g.text(gnr::kDefaultVatCode), c.vatAfter);
        EXPECT_EQ(g.text(gnr::kVersionMark), "9");
        EXPECT_EQ(g.text(gnr::kAlternateRows), c.upgraded ? "1" : "0");
        EXPECT_EQ(g.dbl(gnr::kRowColour1), c.upgraded ? 16579315 : 255);
        EXPECT_EQ(g.text(gnr::kCarried18), "carried text");
        EXPECT_EQ(g.text(gnr::kCarried256), "tail");
        EXPECT_EQ(g.bytes()[0], 7);
        const std::string saved = drive.read(std::string(kCompany) + "qorvana.gnr");
        EXPECT_EQ(saved, std::string(g.bytes().begin(), g.bytes().end()));
    }
}

TEST_F(SettingsTest, EmptyOrShortCompanyRecordIsCompletedAndWrittenBack) {
    for (const std::string& bytes : {std::string(), gnrImage("07", "9").substr(0, 180)}) {
        SCOPED_TRACE(bytes.size());
        writeCompany("qorvana.gnr", bytes);
        LoadSharedSettings(session);
        const auto& g = session.generalSettings;
        EXPECT_EQ(g.text(gnr::kVersionMark), "9");
        EXPECT_EQ(g.text(gnr::kDefaultVatCode), "01");
        EXPECT_EQ(g.dbl(gnr::kRowColour2), 16777215);
        EXPECT_EQ(drive.read(std::string(kCompany) + "qorvana.gnr").size(), gnr::kLength);
    }
}

TEST_F(SettingsTest, CompanyPaths) {
    session.companyNumber = 12;
    EXPECT_EQ(session.companyFolder(), drive.path() / "qorwin/qorwin/qoraz0.012");
    EXPECT_EQ(session.companyFile("qorvana.cli"),
              drive.path() / "qorwin/qorwin/qoraz0.012/qorvana.cli");
    EXPECT_EQ(session.dataRootFile("qorvana.prg"), drive.path() / "qorwin/qorwin/qorvana.prg");
}

TEST_F(SettingsTest, UnchangedCompanyRecordIsNotWrittenBack) {
    writeCompany("qorvana.gnr", gnrImage("04", "9"));
    const auto file = drive.path() / kCompany / "qorvana.gnr";
    const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    std::filesystem::last_write_time(file, past);
    LoadSharedSettings(session);
    EXPECT_EQ(session.generalSettings.text(gnr::kDefaultVatCode), "04");
    EXPECT_EQ(std::filesystem::last_write_time(file), past);
    EXPECT_FALSE(std::filesystem::exists(drive.path() / "qorwin/PDF"));
}

TEST_F(SettingsTest, DataRootRecordIsCopiedToTheCompany) {
    writeRoot("qorvana.gnr", gnrImage("10", "9"));
    LoadSharedSettings(session);
    EXPECT_EQ(session.generalSettings.text(gnr::kDefaultVatCode), "10");
    EXPECT_EQ(drive.read(std::string(kCompany) + "qorvana.gnr"), gnrImage("10", "9"));
}

TEST_F(SettingsTest, ModulesListNeedsTheExactLine) {
    EXPECT_FALSE(ModulesListHas(session, "=FPA"));
    const std::pair<const char*, bool> cases[] = {
        {"=PIA\r\n=FPA\r\n=AGE\r\n", true},
        {"=FPA", true},
        {"=FPA \r\n", false},
        {"=fpa\r\n", false},
        {" =FPA\r\n", false},
        {"=FPAX\r\n", false},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        writeRoot("qorvana.prg", text);
        EXPECT_EQ(ModulesListHas(session, "=FPA"), expected);
    }
}

TEST_F(SettingsTest, StartTablesFromTheCarrierBlock) {
    std::vector<std::string> lines;
    for (int n = 1; n <= TabFile::kLines; ++n) lines.push_back(LineText(n));
    writeRoot("qorvana.prg", "=FPA\r\n");
    const StartTables t = LoadStartTables(session, TabFile::FromLines(lines));
    ASSERT_EQ(t.transportReasons.size(), 40u);
    ASSERT_EQ(t.goodsAppearance.size(), 40u);
    ASSERT_EQ(t.carriers.size(), 40u);
    EXPECT_EQ(t.transportReasons[0], "L383");
    EXPECT_EQ(t.goodsAppearance[0], "L384");
    EXPECT_EQ(t.carriers[0], "L385");
    EXPECT_EQ(t.carrierRows[1][0], "L385");
    EXPECT_EQ(t.carrierRows[1][1], "L386");
    EXPECT_EQ(t.carrierRows[1][2], "L387");
    EXPECT_EQ(t.carrierRows[1][5], "L388");
    EXPECT_EQ(t.carriers[39], "L619");
    EXPECT_EQ(t.carrierRows[40][5], "L622");
    EXPECT_TRUE(t.paEnabled);

    const StartTables none = LoadStartTables(session, TabFile::Load(drive.path() / "none.tab"));
    EXPECT_TRUE(none.transportReasons.empty());
    EXPECT_TRUE(none.carriers.empty());
    lines.resize(400);
    const StartTables shortFile = LoadStartTables(session, TabFile::FromLines(lines));
    EXPECT_EQ(shortFile.transportReasons.size(), 3u);
    EXPECT_EQ(shortFile.carrierRows[3][5], "L400");
    EXPECT_EQ(shortFile.carrierRows[4][0], "");
}

TEST(TabFileMap, EveryBlockWhereTheMapSaysAndItems) {
    std::vector<std::string> lines;
    for (int n = 1; n <= TabFile::kLines; ++n) lines.push_back(LineText(n));
    lines[TabFile::ExemptionLine(0) - 1] = "N1,\"Esente, art. 10\"";
    const TabFile tab = TabFile::FromLines(lines);
    EXPECT_EQ(TabFile::VatCodeLine(1), 1);
    EXPECT_EQ(TabFile::VatCodeLine(8), 29);
    EXPECT_EQ(TabFile::VatCodeLine(9), 623);
    EXPECT_EQ(TabFile::VatCodeLine(16), 651);
    EXPECT_EQ(TabFile::ExemptionLine(8), 65);
    EXPECT_EQ(TabFile::ExemptionLine(9), 679);
    EXPECT_EQ(TabFile::ExemptionLine(16), 686);
    EXPECT_EQ(TabFile::PaymentTermLine(1), 84);
    EXPECT_EQ(TabFile::PaymentTermLine(30), 142);
    EXPECT_EQ(TabFile::PaymentTermLine(31), 703);
    EXPECT_EQ(TabFile::PaymentTermLine(60), 761);
    EXPECT_EQ(TabFile::ListEntryLine(1), 153);
    EXPECT_EQ(TabFile::ListEntryLine(40), 192);
    EXPECT_EQ(TabFile::ListEntryLine(41), 774);
    EXPECT_EQ(TabFile::ListEntryLine(100), 833);
    EXPECT_EQ(TabFile::CarrierLine(40), 617);
    EXPECT_EQ(TabFile::VatCodeLine(0), 0);
    EXPECT_EQ(TabFile::VatCodeLine(17), 0);
    EXPECT_EQ(tab.line(0), "");
    EXPECT_EQ(tab.line(834), "");
    EXPECT_EQ(tab.line(TabFile::kCombo5Table), "L144");
    EXPECT_EQ(tab.item(57, 0), "N1");
    EXPECT_EQ(tab.item(57, 1), "Esente, art. 10");
    EXPECT_EQ(tab.item(57, 2), "");
}

TEST(TabFileMap, LoadsWindows1252Lines) {
    TempDir dir;
    const TabFile tab = TabFile::Load(dir.write("qorvana.tab", "IVA 22%\r\nCitt\xE0\r\n"));
    EXPECT_TRUE(tab.loaded());
    EXPECT_EQ(tab.lineCount(), 2);
    EXPECT_EQ(tab.line(2), "Città");
    EXPECT_FALSE(TabFile::Load(dir.path() / "missing").loaded());
}

}  // namespace
}  // namespace qorvana

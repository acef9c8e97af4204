#include "print/print_settings.h"

#include <gtest/gtest.h>

#include "core/session.h"
#include "core/tab_file.h"
#include "tests/temp_dir.h"

namespace qorvana {
namespace {

using testing::TempDir;

constexpr const char* kCompany = testing::kCompanyFolder;

class PrintSettingsTest : public ::testing::Test, protected testing::CompanyDrive {
  protected:
    PrintSettings load() { return LoadPrintSettings(session); }
};

// A qorvana.lyf of `lines` lines: item k has position k,2k, size 10, font "F<k>", bold on
// odd items, colour k.
std::string LayoutFile(int lines) {
    std::string file;
    for (int n = 0; n < lines; ++n) {
        const int item = n / 6 + 1;
        char position[32];
        std::snprintf(position, sizeof position, "%03d%03d", item, 2 * item);
        const std::string k = std::to_string(item);
        const std::string columns[] = {position, "10", "F" + k, std::to_string(item % 2), "0", k};
        file += columns[n % 6] + "\r\n";
    }
    return file;
}

TEST_F(PrintSettingsTest, LayoutReadOrDefaultedWhenShort) {
    writeCompany("qorvana.lyf", LayoutFile(600));
    PrintSettings full = load();
    const LayoutItem& item = full.layout[87];
    EXPECT_EQ(item.x(), 87);
    EXPECT_EQ(item.fontSize(), 10);
    EXPECT_EQ(item.fontName(), "F87");
    EXPECT_TRUE(item.bold());
    EXPECT_FALSE(full.layout[86].bold());
    EXPECT_EQ(item.colour(), 87);
    EXPECT_EQ(full.layout[98].fontName(), "F98");
    // A size no page could hold is no size, so the print image stays one its readers accept.
    for (const auto& [text, size] : {std::pair{"130012", 0.0}, {"-8", 0.0}, {"720", 720.0}}) {
        LayoutItem damaged = item;
        damaged.columns[1] = text;
        EXPECT_EQ(damaged.fontSize(), size) << text;
    }

    EXPECT_EQ(full.layoutProblem, "");

    // Short, empty, missing or unreadable: the defaults, and a message for before printing.
    const std::pair<int, const char*> layouts[] = {
        {599,
         "Il file \\qorwin\\qorwin\\qoraz0.001\\qorvana.lyf della disposizione della stampa "
         "è incompleto"},
        {0, "è incompleto"},
        {-1, "Manca il file \\qorwin\\qorwin\\qoraz0.001\\qorvana.lyf"},
        {-2, "non può essere letto: al posto del file c'è una cartella"}};
    for (const auto& [lines, says] : layouts) {
        SCOPED_TRACE(lines);
        std::filesystem::remove_all(drive.path() / kCompany / "qorvana.lyf");
        if (lines >= 0) writeCompany("qorvana.lyf", LayoutFile(lines));
        if (lines == -2) std::filesystem::create_directory(drive.path() / kCompany / "qorvana.lyf");
        const PrintSettings short_ = load();
        EXPECT_NE(short_.layoutProblem.find(says), std::string::npos) << short_.layoutProblem;
        EXPECT_NE(short_.layoutProblem.find("stampato senza i suoi dati"), std::string::npos);
        EXPECT_EQ(short_.layout[87].columns,
                  (std::array<std::string, 6>{"000000", "9", "Arial", "0", "0", "0"}));
        EXPECT_EQ(short_.layout[98].columns,
                  (std::array<std::string, 6>{"", "", "", "0", "0", "0"}));
        EXPECT_EQ(short_.layout[98].x(), 0);
    }
}

TEST_F(PrintSettingsTest, PdfRowOneGivesTheFolderAndExtraArgument) {
    struct Case {
        const char* name;
        std::optional<std::string> file;
        const char* folder;
        const char* extra;
        bool tooLong = false;  // the PDF folder leaves no room for the stored PDF path
    };
    const Case cases[] = {
        {"missing", std::nullopt, "C:", ""},
        {"filled", " smtp.x.it \r\nme@x.it\r\n C:\\QORWIN\\PDF \r\n -v \r\n", "C:\\QORWIN\\PDF",
         "-v"},
        {"folder blank", "a\r\nb\r\n   \r\n", "C:", ""},
        {"folder too long for the stored PDF path",
         "a\r\nb\r\nC:\\ARCHIVIO\\DOCUMENTI EMESSI\\FATTURE PDF\r\n",
         "C:\\ARCHIVIO\\DOCUMENTI EMESSI\\FATTURE PDF", "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.file) writeCompany("qorvana.pdf", *c.file);
        const PrintSettings p = load();
        EXPECT_EQ(session.runSettings.pdfFolder, c.folder);
        EXPECT_EQ(p.pdfFolderWarning.empty(), !c.tooLong) << p.pdfFolderWarning;
        EXPECT_EQ(p.pdfExtraArgument(), c.extra);
    }
}

// Files that are there but cannot be read are said by their suite paths; their tables stay
// empty and the PDF folder defaults.
TEST_F(PrintSettingsTest, UnreadableFilesAreSaid) {
    const char* names[] = {"qorvana.int", "qorvana.ilx", "qorvana.pdf"};
    for (const char* name : names)
        std::filesystem::create_directory(drive.path() / kCompany / name);
    const PrintSettings p = load();
    ASSERT_EQ(p.problems.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_NE(p.problems[i].find("qoraz0.001\\" + std::string(names[i]) + " non può"),
                  std::string::npos);
    EXPECT_EQ(session.runSettings.pdfFolder, "C:");
    EXPECT_EQ(p.printLines[1], "");
}

TEST_F(PrintSettingsTest, PrintLinesAndKeptVatItems) {
    writeCompany("qorvana.int", "RAGIONE\r\nVIA\r\n");
    writeCompany("qorvana.ilx", "1,22,3,4\r\n5,10,\"7\",8\r\n");
    const PrintSettings p = load();
    EXPECT_EQ(p.printLines[2], "VIA");
    EXPECT_EQ(p.vatItems[1], (std::array<std::string, 2>{"1", "3"}));
    EXPECT_EQ(p.vatItems[2], (std::array<std::string, 2>{"5", "7"}));
    EXPECT_EQ(p.vatItems[3], (std::array<std::string, 2>{"", ""}));
}

}  // namespace
}  // namespace qorvana

#include "document/line_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>

#include "tests/temp_dir.h"

namespace qorvana {
namespace {

DocumentLine Line(int article, const char* code, const char* description, double quantity,
                  double price, int vat) {
    DocumentLine line;
    line.articleRecord = static_cast<std::int16_t>(article);
    line.code = code;
    line.description = description;
    line.unit = "PZ";
    line.quantity = quantity;
    line.unitPrice = price;
    line.vatCode = static_cast<std::int16_t>(vat);
    return line;
}

// A block's fields joined by "|".
std::string Shown(const DocumentLine& l) {
    std::ostringstream out;
    out << l.articleRecord << '|' << l.reference << '|' << l.code << '|' << l.description << '|'
        << l.unit << '|' << l.discount1 << '|' << l.discount2 << '|' << l.vatCode << '|'
        << l.quantity << '|' << l.quantityMoved << '|' << l.unitPrice;
    return out.str();
}

TEST(LineFileNumbers, WrittenAsTheSequentialPrintOnAnItalianSystem) {
    // clang-format off
    const std::pair<double, const char*> cases[] = {
        {0, " 0 "}, {-3, "-3 "}, {0.5, " ,5 "}, {-0.5, "-,5 "}, {-0.0, " 0 "},
        {1234.75, " 1234,75 "}, {0.125, " ,125 "}};
    // clang-format on
    for (const auto& [value, text] : cases) EXPECT_EQ(LineFile::NumberText(value), text) << value;
}

TEST(LineFileTexts, PaddedToWidthAndCleanedOfControlCharacters) {
    EXPECT_EQ(LineFile::PaddedText("ABCDEFG", 5), "ABCDE");
    EXPECT_EQ(LineFile::PaddedText("A\r\nB\tC", 5), "ABC  ");
    EXPECT_EQ(LineFile::PaddedText(std::string("A\0B", 3), 3), "AB ");
    EXPECT_EQ(LineFile::PaddedText("caffè ÿ", 8), "caffè   ");
    EXPECT_EQ(LineFile::PaddedText("àèìòù€x", 6), "àèìòù€");
}

TEST(LineFileIssued, ThreeLinesWriteAllBlocksAndReadBack) {
    LineTable table;
    table[1] = Line(5, "ART5", "Vite M6", 10, 0.5, 1);
    table[1].discount1 = 10;
    table[1].discount2 = 5;
    table[1].reference = "**12";
    table[2] = Line(0, "", "Descrizione libera\r\ncon ritorno", 0, 0, 0);
    table[3] = Line(7, "ART7", "Caffè", -2, 1234.75, 24);

    std::vector<std::string> header = {" 17 ", " 0 ", "12", "",           "3",
                                       "12,5", "",    "",   " 2 ",        "-1 ",
                                       "0",    "1",   "12", "05/11/2024", "06/11/2024"};
    const testing::TempDir dir;
    const auto file = dir.path() / "f123";
    ASSERT_TRUE(LineFile::Write(file, header, LineFile::BlocksOf(table)));

    const std::string bytes = dir.read("f123");
    // Block 1 starts after the header; Windows-1252 on disk.
    EXPECT_NE(bytes.find("06/11/2024\r\n 5 \r\n**12           \r\nART5           \r\n"),
              std::string::npos);
    EXPECT_NE(bytes.find(" 10 \r\n 5 \r\n 1 \r\n 10 \r\n ,5 \r\n"), std::string::npos);
    EXPECT_NE(bytes.find("Caff\xE8 "), std::string::npos);
    EXPECT_NE(bytes.find("-2 \r\n 1234,75 \r\n"), std::string::npos);

    const auto read = LineFile::Read(file, LineFile::kIssuedHeaderLines, LineFile::kIssuedBlocks);
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(read->complete);
    ASSERT_EQ(read->header.size(), 15u);
    EXPECT_EQ(read->header[0], "17");
    ASSERT_EQ(read->blocks.size(), 500u);
    int used = 0;
    for (const auto& b : read->blocks) used += BlockInUse(b) ? 1 : 0;
    EXPECT_EQ(used, 3);
    // A read block counts its quantity as already moved.
    EXPECT_EQ(Shown(read->blocks[0]), "5|**12|ART5|Vite M6|PZ|10|5|1|10|10|0.5");
    EXPECT_EQ(Shown(read->blocks[1]), "0|||Descrizione liberacon ritorno|PZ|0|0|0|0|0|0");
    EXPECT_EQ(Shown(read->blocks[2]), "7||ART7|Caffè|PZ|0|0|24|-2|-2|1234.75");
}

TEST(LineFileIssued, HeaderAndName) {
    DocumentDraft draft;
    draft.customer.record = 17;
    draft.transport.deliveryNote = "12 13";
    draft.transport.packages = "3";
    draft.transport.weight = "12,5";
    draft.transport.startTime = "MITTENTE\r\n";
    draft.transport.reasonPosition = 2;
    draft.transport.shipping = Shipping::ByRecipient;
    draft.vatInclusive = true;
    draft.header.documentNumber = "12";
    draft.header.documentDate = "05/11/2024";
    draft.header.registrationDate = "06/11/2024";
    const std::vector<std::string> expected = {
        " 17 ", " 1 ", "12 13", "",  "3",  "12,5",       "",          "MITTENTE",
        " 2 ",  "-1 ", "1",     "1", "12", "05/11/2024", "06/11/2024"};
    EXPECT_EQ(LineFile::IssuedHeader(draft, DocumentKind::CreditNote), expected);
    EXPECT_EQ(LineFile::IssuedFileName(16777216.0f), "f16777216");
}

// A file shorter than its header reads as incomplete and without blocks (decimals written with
// ".", blocks cut short and LF line ends: the tables below; a missing line file, and a folder in
// its place: the imports test).
TEST(LineFileReading, AFileShorterThanItsHeader) {
    const LineFileContent c = LineFile::Parse("only\r\n", 10, 200);
    EXPECT_FALSE(c.complete);
    EXPECT_TRUE(c.blocks.empty());
    EXPECT_FALSE(LineFile::Read("/nonexistent/f1", 10, 200).has_value());
}

// One empty block after a header line, some of its lines (0-based) changed: the value read
// into the field of line `at` (-1: none compared), and the first line at fault in the file.
TEST(LineFileReading, NumberLinesAsTheSuiteReadsThem) {
    using enum LineFault;
    const struct {
        std::map<int, std::string> changes;
        int at;
        double value;
        int badLine;
        LineFault fault;
    } cases[] = {
        {{{8, ""}}, 8, 0, 0, None},
        {{{8, "+2,5"}}, 8, 2.5, 0, None},
        {{{8, "-,5"}}, 8, -0.5, 0, None},
        {{{8, "-0"}}, 8, -0.0, 0, None},
        {{{8, "5."}}, 8, 5, 0, None},
        {{{8, "0000000000000000012,5"}}, 8, 12.5, 0, None},  // more than 15 digits
        {{{8, "0,0000000000000001"}}, 8, 1e-16, 0, None},
        {{{8, "1,5E2"}}, 8, 150, 0, None},
        {{{8, "1D2"}}, 8, 100, 0, None},
        {{{8, "2.5e-3"}}, 8, 0.0025, 0, None},
        {{{8, "1e-400"}}, 8, 0, 0, None},
        {{{8, "1E"}}, 8, 1, 10, NotNumber},
        {{{8, "1 2"}}, 8, 12, 10, NotNumber},  // the value read all the same
        {{{8, "\t3"}}, 8, 3, 10, NotNumber},
        {{{8, "1.2,3"}}, 8, 1.2, 10, NotNumber},
        {{{8, "-"}}, 8, 0, 10, NotNumber},
        {{{8, "caff\xE8"}}, 8, 0, 10, NotNumber},
        {{{7, "12.9"}}, 7, 12, 0, None},
        {{{7, "1,5E2"}}, 7, 1, 0, None},  // small integers end at ","
        {{{0, "-0.5"}}, 0, 0, 0, None},
        {{{5, "-32768.9"}}, 5, -32768, 0, None},
        {{{5, "32767.99999999999999999999"}}, 5, 0, 7, BeyondLimits},  // rounds to 32768
        // Numbers beyond what their fields hold.
        {{{8, "1E+300"}}, -1, 0, 10, BeyondLimits},
        {{{8, "1e309"}}, -1, 0, 10, BeyondLimits},  // no double holds it
        {{{9, "-1e11"}}, -1, 0, 11, BeyondLimits},
        {{{8, "1000000"}, {9, "1000000"}}, -1, 0, 11, BeyondLimits},      // their product
        {{{8, "1"}, {9, "99999999999,99"}}, 9, 99999999999.99, 0, None},  // 11 digits fit
        {{{7, "99999"}}, -1, 0, 9, BeyondLimits},
        {{{0, "-32769"}, {8, "uno"}}, -1, 0, 2, BeyondLimits},  // the first fault
        {{{5, "-32768"}, {6, "32767"}}, 6, 32767, 0, None},
        {{{6, "tre"}, {9, "1e300"}}, -1, 0, 8, NotNumber},
    };
    for (const auto& c : cases) {
        auto block = LineFile::BlockLines(DocumentLine{});
        for (const auto& [line, text] : c.changes) block[static_cast<std::size_t>(line)] = text;
        std::string bytes = "h\r\n";
        for (const auto& line : block) bytes += line + "\r\n";
        SCOPED_TRACE(bytes);
        const LineFileContent content = LineFile::Parse(bytes, 1, 1);
        ASSERT_EQ(content.blocks.size(), 1u);
        EXPECT_EQ(content.badLine, c.badLine);
        EXPECT_EQ(content.badFault, c.fault);
        if (c.at < 0) continue;
        const DocumentLine& b = content.blocks[0];
        const std::map<int, double> fields = {{0, b.articleRecord}, {5, b.discount1},
                                              {6, b.discount2},     {7, b.vatCode},
                                              {8, b.quantity},      {9, b.unitPrice}};
        EXPECT_EQ(fields.at(c.at), c.value);
        EXPECT_EQ(std::signbit(fields.at(c.at)), std::signbit(c.value));
    }
}

TEST(LineFileReading, LineEndsAndShortFiles) {
    const std::string empty = LineFile::Bytes({}, {DocumentLine{}});
    const std::string shown = Shown(DocumentLine{});
    std::string lf = empty;
    std::erase(lf, '\r');
    const struct {
        std::string bytes;
        std::size_t blocks;
        bool complete;
        std::string last;  // the last block read
    } cases[] = {
        {empty + empty, 2, true, shown},
        {lf + lf, 2, true, shown},
        {empty.substr(0, empty.size() - 2), 1, true, shown},   // last line without its end
        {empty.substr(0, empty.size() - 5), 1, false, shown},  // last line missing
        {empty + " 7 \r\n\r\n\rX\n\r\n", 2, false, "7|||X||0|0|0|0|0|0"},  // CR, LF, CR LF
        {empty + " 7 \n\rX\r\n", 2, false, "7||X|||0|0|0|0|0|0"},          // LF CR: two ends
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        const LineFileContent content =
            LineFile::Parse("h\r\n" + c.bytes, 1, static_cast<int>(c.blocks));
        ASSERT_EQ(content.blocks.size(), c.blocks);
        EXPECT_EQ(content.complete, c.complete);
        EXPECT_EQ(content.badLine, 0);
        EXPECT_EQ(Shown(content.blocks.back()), c.last);
    }
}

}  // namespace
}  // namespace qorvana

#include "document/line_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iterator>
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

TEST(LineFileReading, ToleratesEitherSeparatorShortFilesAndBadNumbers) {
    // Header of 2, a block with "." decimals, then a block cut after its description.
    const std::string bytes =
        "h1\r\nh2\r\n 3 \r\nREF\r\nC1\r\nD1\r\nKG\r\n 0 \r\n 0 \r\n 7 \r\n 1.5 \r\n 2.25 \r\n"
        " 4 \r\n\r\nC2\r\nD2\n";
    const LineFileContent c = LineFile::Parse(bytes, 2, 200);
    EXPECT_FALSE(c.complete);
    EXPECT_EQ(c.badLine, 0);
    ASSERT_EQ(c.blocks.size(), 2u);
    EXPECT_EQ(c.blocks[0].vatCode, 7);
    EXPECT_EQ(c.blocks[0].quantity, 1.5);
    EXPECT_EQ(c.blocks[0].unitPrice, 2.25);
    EXPECT_EQ(c.blocks[1].articleRecord, 4);
    EXPECT_EQ(c.blocks[1].description, "D2");
    EXPECT_EQ(c.blocks[1].quantity, 0);

    const LineFileContent empty = LineFile::Parse("only\r\n", 10, 200);
    EXPECT_FALSE(empty.complete);
    EXPECT_TRUE(empty.blocks.empty());

    EXPECT_FALSE(LineFile::Read("/nonexistent/f1", 10, 200).has_value());
    // A folder in the file's place is a read error, not a file of unbounded length.
    testing::TempDir dir;
    std::filesystem::create_directory(dir.path() / "b12");
    const auto folder = LineFile::Read(dir.path() / "b12", 10, 200);
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(folder->readError, EISDIR);
    EXPECT_TRUE(folder->blocks.empty());
}

TEST(LineFileReading, NumbersBeyondWhatTheirFieldsHoldAreFaults) {
    // A header line, then one block; each case changes some of its lines (0-based).
    const struct {
        std::map<int, std::string> changes;
        int badLine;
        LineFault fault;
    } cases[] = {
        {{{8, "1E+300"}}, 10, LineFault::BeyondLimits},                   // quantity
        {{{8, "1e309"}}, 10, LineFault::BeyondLimits},                    // no double holds it
        {{{9, "-1e11"}}, 11, LineFault::BeyondLimits},                    // price
        {{{8, "1000000"}, {9, "1000000"}}, 11, LineFault::BeyondLimits},  // their product
        {{{8, "1"}, {9, "99999999999,99"}}, 0, LineFault::None},          // 11 digits fit
        {{{7, "99999"}}, 9, LineFault::BeyondLimits},                     // VAT code
        {{{0, "-32769"}, {8, "uno"}}, 2, LineFault::BeyondLimits},        // article, first
        {{{5, "-32768"}, {6, "32767"}}, 0, LineFault::None},              // discounts
        {{{6, "tre"}, {9, "1e300"}}, 8, LineFault::NotNumber},
    };
    for (const auto& c : cases) {
        std::vector<std::string> block = {" 3 ", "REF", "C1",  "D1",  "KG",
                                          " 0 ", " 0 ", " 1 ", " 2 ", " 1,5 "};
        for (const auto& [line, text] : c.changes) block[static_cast<std::size_t>(line)] = text;
        std::string bytes = "h\r\n";
        for (const auto& line : block) bytes += line + "\r\n";
        const LineFileContent content = LineFile::Parse(bytes, 1, 1);
        SCOPED_TRACE(bytes);
        EXPECT_EQ(content.badLine, c.badLine);
        EXPECT_EQ(content.badFault, c.fault);
    }
}

TEST(LineFileReading, NumberShapesAsTheSuiteReadsThem) {
    // One block after a header line; block line `line` (0-based) holds `text`.
    const struct {
        int line;
        const char* text;
        double value;  // of that line's field
        LineFault fault;
    } cases[] = {
        {8, "", 0, LineFault::None},
        {8, "+2,5", 2.5, LineFault::None},
        {8, "-,5", -0.5, LineFault::None},
        {8, "-0", -0.0, LineFault::None},
        {8, "5.", 5, LineFault::None},
        {8, "0000000000000000012,5", 12.5, LineFault::None},  // more than 15 digits
        {8, "0,0000000000000001", 1e-16, LineFault::None},
        {8, "1,5E2", 150, LineFault::None},
        {8, "1D2", 100, LineFault::None},
        {8, "2.5e-3", 0.0025, LineFault::None},
        {8, "1e-400", 0, LineFault::None},
        {8, "1E", 1, LineFault::NotNumber},
        {8, "1 2", 12, LineFault::NotNumber},  // the value read all the same
        {8, "\t3", 3, LineFault::NotNumber},
        {8, "1.2,3", 1.2, LineFault::NotNumber},
        {8, "-", 0, LineFault::NotNumber},
        {8, "caff\xE8", 0, LineFault::NotNumber},
        {7, "12.9", 12, LineFault::None},
        {7, "1,5E2", 1, LineFault::None},  // small integers end at ","
        {0, "-0.5", 0, LineFault::None},
        {5, "-32768.9", -32768, LineFault::None},
        {5, "32767.99999999999999999999", 0, LineFault::BeyondLimits},  // rounds to 32768
    };
    for (const auto& c : cases) {
        auto block = LineFile::BlockLines(DocumentLine{});
        block[static_cast<std::size_t>(c.line)] = c.text;
        std::string bytes = "h\r\n";
        for (const auto& line : block) bytes += line + "\r\n";
        SCOPED_TRACE(bytes);
        const LineFileContent content = LineFile::Parse(bytes, 1, 1);
        ASSERT_EQ(content.blocks.size(), 1u);
        const DocumentLine& b = content.blocks[0];
        const std::map<int, double> fields = {
            {0, b.articleRecord}, {5, b.discount1}, {7, b.vatCode}, {8, b.quantity}};
        EXPECT_EQ(fields.at(c.line), c.value);
        EXPECT_EQ(std::signbit(fields.at(c.line)), std::signbit(c.value));
        EXPECT_EQ(content.badLine, c.fault == LineFault::None ? 0 : c.line + 2);
        EXPECT_EQ(content.badFault, c.fault);
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

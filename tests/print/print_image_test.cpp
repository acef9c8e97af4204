#include "print/print_image.h"

#include <gtest/gtest.h>

#include "tests/temp_dir.h"

namespace qorvana {
namespace {

using testing::TempDir;

PrintedDocument SmallDocument() {
    PrintText title{.x = 150,
                    .y = 12.5,
                    .size = 14,
                    .colour = 4,
                    .text = "FATTURA",
                    .font = "Arial",
                    .bold = true};
    PrintText town{
        .x = -3.5, .y = 40.25, .text = "Città", .font = "Times New Roman", .italic = true};
    PrintShape box{.kind = ShapeKind::Box,
                   .x1 = 10,
                   .y1 = 20,
                   .x2 = 200,
                   .y2 = 0.25,
                   .thickness = 0.2,
                   .colour = 0,
                   .fill = 15};
    PrintPicture logo{.x = 10, .y = 10, .width = 40, .height = 20, .file = "c:\\logo.bmp"};
    return {PrintPage{{box, logo, title}}, PrintPage{{town}}};
}

TEST(PrintImage, SmallDocumentByteForByte) {
    const std::string expected =
        "#FILEFORMAT=KVX-RTO\r\n"
        " 2\r\n 2\r\n 10\r\n 20\r\n 200\r\n .25\r\n .2\r\n 0\r\n 15\r\n"
        " 0\r\n 10\r\n 10\r\n 40\r\n 20\r\n\r\nc:\\logo.bmp\r\n\r\n"
        " 3\r\n 150\r\n 12.5\r\n 0\r\n 0\r\n 14\r\n 4\r\nFATTURA\r\nArial\r\n 1\r\n 0\r\n"
        " 9\r\n"
        " 3\r\n-3.5\r\n 40.25\r\n 0\r\n 0\r\n 9\r\n 0\r\nCitt\xe0\r\nTimes New Roman\r\n 0\r\n"
        " 1\r\n"
        " 9\r\n";
    TempDir dir;
    ASSERT_EQ(
        WritePrintImage(dir.path() / "qordoc.rto", "c:\\qordoc.rto", SmallDocument()).message(),
        "");
    EXPECT_EQ(dir.read("qordoc.rto"), expected);
    // Only the image itself is left in the folder: the temporary name is gone.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    const Result<PrintedDocument> read =
        ReadPrintImage(dir.path() / "qordoc.rto", "c:\\qordoc.rto");
    ASSERT_TRUE(read) << read.message();
    EXPECT_EQ(*read, SmallDocument());
}

TEST(PrintImage, NumbersAsAPlainPrint) {
    // clang-format off
    const std::pair<double, const char*> cases[] = {
        {-3.5, "-3.5"}, {0.25, " .25"}, {-0.25, "-.25"}, {0, " 0"}, {-0.0, " 0"},
        {1234567, " 1234567"}, {297.0000001, " 297"}, {0.1 + 0.2, " .3"},
        {12345678, " 1.234568E+07"}};
    // clang-format on
    for (const auto& [value, text] : cases) EXPECT_EQ(PrintImageNumber(value), text) << value;
}

TEST(PrintImage, TextsCannotBreakTheLineStructure) {
    const PrintedDocument document{
        PrintPage{{PrintText{.text = "due\r\nrighe", .font = "Arial\n"}}}};
    const Result<PrintedDocument> read = ParsePrintImage(PrintImageBytes(document));
    ASSERT_TRUE(read) << read.message();
    EXPECT_EQ(std::get<PrintText>((*read)[0].ops[0]).text, "duerighe");
}

TEST(PrintImage, DamagedImagesAreRefused) {
    const std::string text = " 3\r\n 1\r\n 2\r\n 0\r\n 0\r\n 9\r\n 0\r\nA\r\nArial\r\n 0\r\n 0\r\n";
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"no marker", " 9\r\n"},
        {"cut inside a text record", "#FILEFORMAT=KVX-RTO\r\n" + text.substr(0, 30)},
        {"last page not closed", "#FILEFORMAT=KVX-RTO\r\n" + text},
        {"text for a number", "#FILEFORMAT=KVX-RTO\r\n 3\r\nabc\r\n" + text.substr(8) + " 9\r\n"},
        {"unknown record", "#FILEFORMAT=KVX-RTO\r\n 7\r\n 9\r\n"},
        {"a type beyond any integer", "#FILEFORMAT=KVX-RTO\r\n 1e300\r\n 9\r\n"},
        {"a position beyond any page",
         "#FILEFORMAT=KVX-RTO\r\n 3\r\n 1e300\r\n" + text.substr(8) + " 9\r\n"},
        {"unknown shape",
         "#FILEFORMAT=KVX-RTO\r\n 2\r\n 5\r\n 1\r\n 1\r\n 2\r\n 2\r\n .2\r\n"
         " 0\r\n-1\r\n 9\r\n"},
        {"cut picture", "#FILEFORMAT=KVX-RTO\r\n 0\r\n 1\r\n 1\r\n 2\r\n 2\r\n\r\n"},
    };
    for (const auto& [name, bytes] : cases) {
        const Result<PrintedDocument> read = ParsePrintImage(bytes);
        ASSERT_FALSE(read) << name;
        EXPECT_TRUE(read.message().starts_with("Il file di stampa")) << name;
    }
}

// A missing image, a folder that cannot take it: each said, naming the image as the suite
// does.
TEST(PrintImage, UnreadableAndUnwritableImagesAreSaid) {
    TempDir dir;
    const Result<PrintedDocument> read = ReadPrintImage(dir.path() / "none.rto", "c:\\qordoc1.rto");
    ASSERT_FALSE(read);
    EXPECT_EQ(read.message(), "Manca il file di stampa c:\\qordoc1.rto.");
    const Status written = WritePrintImage(dir.path() / "none/qordoc.rto", "c:\\qordoc.rto", {});
    ASSERT_FALSE(written);
    EXPECT_TRUE(written.message().starts_with("Il file c:\\qordoc.rto non è stato scritto"));
}

}  // namespace
}  // namespace qorvana

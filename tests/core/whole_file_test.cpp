#include "core/whole_file.h"

#include <gtest/gtest.h>

#include "tests/temp_dir.h"

namespace qorvana {
namespace {

using testing::TempDir;
using testing::WithFileLimit;

std::vector<std::string> Entries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(WholeFile, ReadTellsMissingFromUnreadable) {
    TempDir dir;
    dir.write("a", "abc");
    std::filesystem::create_directory(dir.path() / "folder");
    const FileRead read = ReadWholeFile(dir.path() / "a");
    EXPECT_TRUE(read.ok());
    EXPECT_EQ(read.bytes, "abc");
    EXPECT_TRUE(ReadWholeFile(dir.path() / "none").missing);
    const FileRead folder = ReadWholeFile(dir.path() / "folder");
    EXPECT_FALSE(folder.missing);
    EXPECT_EQ(folder.error, EISDIR);
    EXPECT_EQ(ReadFailureMessage("c:\\qordoc.rto", folder.error),
              "Il file c:\\qordoc.rto non può essere letto: al posto del file c'è una cartella "
              "(rimuoverla o rinominarla)");
}

// A write that fails at any step leaves the old file and no temporary file, and says which
// file was not written and why; one that succeeds leaves the new file alone.
TEST(WholeFile, WrittenWholeOrNotAtAll) {
    TempDir dir;
    const auto file = dir.write("f1", "old content");
    EXPECT_EQ(WriteFileDurably(file, "\\x\\f1", "new"), std::nullopt);
    EXPECT_EQ(dir.read("f1"), "new");
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"f1"});

    const std::string big(64 * 1024, 'x');
    const auto full = WithFileLimit(4096, [&] { return WriteFileDurably(file, "\\x\\f1", big); });
    ASSERT_TRUE(full);
    EXPECT_EQ(*full,
              "Il file \\x\\f1 non è stato scritto: il file supera la dimensione consentita "
              "(liberare spazio e riprovare)");
    EXPECT_EQ(dir.read("f1"), "new");
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"f1"});

    std::filesystem::create_directory(dir.path() / "f2");
    const auto folder = WriteFileDurably(dir.path() / "f2", "c:\\f2", "x");
    ASSERT_TRUE(folder);
    EXPECT_NE(folder->find("c:\\f2 non è stato scritto: al posto del file c'è una cartella"),
              std::string::npos);
    EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"f1", "f2"}));

    EXPECT_TRUE(WriteFileDurably(dir.path() / "none/f3", "f3", "x"));
}

// Two writers of one file never share a temporary file: each publishes its own content.
TEST(WholeFile, TemporaryNamesAreOwnPerWrite) {
    TempDir dir;
    const auto file = dir.path() / "qorvana.gnr";
    DurableFile first(file, "first");
    DurableFile second(file, "second");
    ASSERT_EQ(first.reserve(5), std::nullopt);
    ASSERT_EQ(second.reserve(6), std::nullopt);
    EXPECT_EQ(Entries(dir.path()).size(), 2u);
    ASSERT_EQ(first.write("first"), std::nullopt);
    ASSERT_EQ(second.write("second"), std::nullopt);
    ASSERT_EQ(first.publish(), std::nullopt);
    EXPECT_EQ(dir.read("qorvana.gnr"), "first");
    ASSERT_EQ(second.publish(), std::nullopt);
    EXPECT_EQ(dir.read("qorvana.gnr"), "second");
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"qorvana.gnr"});
}

}  // namespace
}  // namespace qorvana

#include "core/whole_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

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

// A write that fails at any step leaves the old file and no temporary file, and says which
// file was not written and why; one that succeeds leaves the new file alone. (Reads, a missing
// file told from an unreadable one: the settings and imports tests.)
TEST(WholeFile, WrittenWholeOrNotAtAll) {
    TempDir dir;
    const auto file = dir.write("f1", "old content");
    EXPECT_TRUE(WriteFileDurably(file, "\\x\\f1", "new").ok());
    EXPECT_EQ(dir.read("f1"), "new");
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"f1"});

    const std::string big(64 * 1024, 'x');
    const auto full = WithFileLimit(4096, [&] { return WriteFileDurably(file, "\\x\\f1", big); });
    ASSERT_FALSE(full.ok());
    EXPECT_EQ(full.message(),
              "Il file \\x\\f1 non è stato scritto: il file supera la dimensione consentita "
              "(liberare spazio e riprovare)");
    EXPECT_EQ(dir.read("f1"), "new");
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"f1"});

    std::filesystem::create_directory(dir.path() / "f2");
    const auto folder = WriteFileDurably(dir.path() / "f2", "c:\\f2", "x");
    ASSERT_FALSE(folder.ok());
    EXPECT_NE(
        folder.message().find("c:\\f2 non è stato scritto: al posto del file c'è una cartella"),
        std::string::npos);
    EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"f1", "f2"}));

    EXPECT_FALSE(WriteFileDurably(dir.path() / "none/f3", "f3", "x").ok());
}

// Two writers of one file never share a temporary file: each publishes its own content.
TEST(WholeFile, TemporaryNamesAreOwnPerWrite) {
    TempDir dir;
    const auto file = dir.path() / "qorvana.gnr";
    DurableFile first(file, "first");
    DurableFile second(file, "second");
    ASSERT_TRUE(first.reserve(5).ok());
    ASSERT_TRUE(second.reserve(6).ok());
    EXPECT_EQ(Entries(dir.path()).size(), 2u);
    ASSERT_TRUE(first.write("first").ok());
    ASSERT_TRUE(second.write("second").ok());
    ASSERT_TRUE(first.publish().ok());
    EXPECT_EQ(dir.read("qorvana.gnr"), "first");
    ASSERT_TRUE(second.publish().ok());
    EXPECT_EQ(dir.read("qorvana.gnr"), "second");
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"qorvana.gnr"});
}

// Temporary files left by a process that ended before naming them are removed; those of a
// running process, of another workstation or of another program stay.
TEST(WholeFile, LeftTemporariesOfEndedProcessesOfThisWorkstationRemoved) {
    TempDir dir;
    testing::InChild([&]() -> int {
        DurableFile left(dir.path() / "f1", "f1");
        std::_Exit(left.reserve(3).ok() ? 0 : 1);  // ends without discarding, as a crash would
    });
    ASSERT_EQ(Entries(dir.path()).size(), 1u);
    const std::string ended = Entries(dir.path()).front();  // ".f1.HOST.PID-1.tmp"
    const std::string host = ended.substr(4, ended.rfind('.', ended.size() - 5) - 4);
    const std::string afterHost = ended.substr(4 + host.size());
    const std::string otherHost = ".f1.altra-postazione" + afterHost;
    const std::string running = ".f1." + host + "." + std::to_string(::getppid()) + "-1.tmp";
    const std::string earlierPattern = ".f1" + afterHost;  // no workstation named
    for (const std::string& name : {otherHost, running, earlierPattern, std::string("f2.tmp")})
        dir.write(name, "x");
    DurableFile own(dir.path() / "f3", "f3");
    ASSERT_TRUE(own.reserve(1).ok());

    EXPECT_EQ(RemoveLeftTemporaries(dir.path()), std::vector<std::string>{ended});
    EXPECT_EQ(Entries(dir.path()).size(), 5u);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / ended));
}

}  // namespace
}  // namespace qorvana

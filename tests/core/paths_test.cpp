#include "core/paths.h"

#include <gtest/gtest.h>

#include "tests/temp_dir.h"

namespace qorvana {
namespace {

using testing::TempDir;

TEST(PathMapping, DriveLettersBackslashesAndCase) {
    TempDir drive;
    std::filesystem::create_directories(drive.path() / "QORWIN" / "qorwin" / "qoraz0.001");
    drive.write("QORWIN/qorwin/qoraz0.001/qorvana.TAB", "x");
    const PathMapper paths(drive.path());
    EXPECT_EQ(paths.map("c:\\qordoc.rto"), drive.path() / "qordoc.rto");
    EXPECT_EQ(paths.map("C:\\qordoc.rto"), drive.path() / "qordoc.rto");
    EXPECT_EQ(paths.map("\\qorwin\\qorwin\\qoraz0.001\\qorvana.tab"),
              drive.path() / "QORWIN/qorwin/qoraz0.001/qorvana.TAB");
    EXPECT_EQ(paths.map("\\qorwin\\qorwin\\qoraz0.001\\qorvana.cli"),
              drive.path() / "QORWIN/qorwin/qoraz0.001/qorvana.cli");
    EXPECT_EQ(paths.map("\\QORWIN\\PDF"), drive.path() / "QORWIN/PDF");
    EXPECT_EQ(paths.map("c:"), drive.path());
    // ".." goes up within the drive but never above its root.
    EXPECT_EQ(paths.map("\\qorwin\\pdf\\..\\qorwin\\qoraz0.001\\qorvana.tab"),
              drive.path() / "QORWIN/qorwin/qoraz0.001/qorvana.TAB");
    EXPECT_EQ(paths.map("c:\\..\\..\\etc\\passwd"), drive.path() / "etc/passwd");
}

// Characters 7 to 9 of the suite's command line (QORVAN012, QORVAN001, a short or lettered one:
// start_up_refusals.sh).
TEST(CompanyNumber, FromTheCommandLine) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"xxxxxx999", 999},          {"xxxxxx1e3", std::nullopt}, {"xxxxxx000", std::nullopt},
        {"xxxxxx1.5", std::nullopt}, {"xxxxxx 12", std::nullopt}, {"xxxxxx01", std::nullopt}};
    for (const auto& [commandLine, company] : cases)
        EXPECT_EQ(CompanyFromCommandLine(commandLine), company) << commandLine;
}

TEST(SafeFileName, StaysInsideItsFolder) {
    for (const char* good : {"ftr12.pdf", "IT01234567890_00001.xml", "qorvana.fte", "a b"})
        EXPECT_TRUE(IsSafeFileName(good)) << good;
    for (const char* bad : {"", ".", "..", "../x", "a/b", "a\\b", "c:x", "a\tb", "a?b"})
        EXPECT_FALSE(IsSafeFileName(bad)) << bad;
}

}  // namespace
}  // namespace qorvana

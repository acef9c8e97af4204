#include "core/seq_reader.h"

#include <gtest/gtest.h>

#include "tests/temp_dir.h"

namespace qorvana {
namespace {

TEST(SeqReading, LinesAndItemsMixed) {
    auto r = SeqReader::FromBytes(
        "1,1936.27,\"ITL\", EUR ,2\r\nsecond, line\r\n\"a, b\",x\nCitt\xE0\r\nlast");
    EXPECT_EQ(r.readItem(), "1");
    EXPECT_EQ(r.readItem(), "1936.27");
    EXPECT_EQ(r.readItem(), "ITL");
    EXPECT_EQ(r.readItem(), "EUR");
    EXPECT_EQ(r.readItem(), "2");
    EXPECT_EQ(r.readLine(), "second, line");
    EXPECT_EQ(r.readItem(), "a, b");
    EXPECT_EQ(r.readLine(), "x");
    EXPECT_EQ(r.readLine(), "Città");
    EXPECT_FALSE(r.failed());
    EXPECT_EQ(r.readLine(), "last");
    EXPECT_TRUE(r.atEnd());
    EXPECT_FALSE(r.failed());
    EXPECT_EQ(r.readLine(), "");
    EXPECT_TRUE(r.failed());
    EXPECT_EQ(r.readItem(), "");
    EXPECT_TRUE(r.failed());  // sticky
    r.clearError();
    EXPECT_FALSE(r.failed());

    // An item, then the rest of its line; empty items; skipping past the end fails.
    r = SeqReader::FromBytes("22,Aliquota 22%, ordinaria\n,\n\n");
    EXPECT_EQ(r.readItem(), "22");
    EXPECT_EQ(r.readLine(), "Aliquota 22%, ordinaria");
    EXPECT_EQ(r.readItem(), "");
    EXPECT_EQ(r.readItem(), "");
    EXPECT_EQ(r.readLine(), "");
    EXPECT_FALSE(r.failed());
    r.skipLines(1);
    EXPECT_TRUE(r.failed());
}

TEST(SeqReading, MissingFileFailsAndSplitItems) {
    testing::TempDir dir;
    SeqReader missing(dir.path() / "none.txt");
    EXPECT_FALSE(missing.opened());
    EXPECT_TRUE(missing.failed());
    EXPECT_EQ(missing.readLine(), "");
    missing.clearError();
    EXPECT_TRUE(missing.failed());

    SeqReader file(dir.write("a.txt", "uno\r\ndue\r\n"));
    EXPECT_TRUE(file.opened());
    EXPECT_EQ(file.readLine(), "uno");
    EXPECT_EQ(file.readLine(), "due");
    EXPECT_TRUE(file.atEnd());

    using Items = std::vector<std::string>;
    EXPECT_EQ(SeqReader::SplitItems("N1,\"Esente, art. 10\""), (Items{"N1", "Esente, art. 10"}));
    EXPECT_EQ(SeqReader::SplitItems(" a , b ,"), (Items{"a", "b", ""}));
    EXPECT_EQ(SeqReader::SplitItems(""), (Items{""}));
}

}  // namespace
}  // namespace qorvana

#include "core/write_set.h"

#include <gtest/gtest.h>

#include "core/counters_record.h"
#include "tests/temp_dir.h"

namespace qorvana {
namespace {

class WriteSetTest : public ::testing::Test {
  protected:
    static CountersRecord Count(int n) {
        CountersRecord r;
        r.setInt16(tot::kRecordCount, static_cast<std::int16_t>(n));
        return r;
    }
    int count(int record) const {
        return files_.read<CountersFile>(record).int16(tot::kRecordCount);
    }

    testing::TempCompany company_;
    const testing::TempDir& dir_ = company_.dir;
    DataFiles& files_ = company_.files;
};

// A record written twice keeps as before-image what the first write leaves; putting back
// newest first leaves it as it was, and a staged file takes its name only when applied.
TEST_F(WriteSetTest, BeforeImagesThroughEarlierWritesPutBackNewestFirst) {
    files_.write<CountersFile>(7, Count(5));
    dir_.write("qorvana.num", "old");
    WriteSet set(files_);
    set.step("primo");
    set.write<CountersFile>(7, Count(6));
    EXPECT_EQ(set.read<CountersFile>(7).int16(tot::kRecordCount), 6);
    set.write<CountersFile>(7, Count(7));
    const auto staged = set.stage(dir_.path() / "qorvana.num", "qorvana.num", "new");
    ASSERT_TRUE(staged) << staged.message();
    const auto fresh = set.stage(dir_.path() / "f1", "f1", "lines");
    ASSERT_TRUE(fresh) << fresh.message();
    set.publish(*staged);
    set.step("secondo");
    set.publish(*fresh);
    set.flush();

    const auto& entries = set.entries();
    const auto& second = std::get<WriteSet::RecordWrite>(entries[1].write);
    EXPECT_EQ(second.before, std::get<WriteSet::RecordWrite>(entries[0].write).after);
    EXPECT_EQ(dir_.read("qorvana.num"), "old");
    ASSERT_TRUE(set.apply());
    EXPECT_EQ(count(7), 7);
    EXPECT_EQ(dir_.read("qorvana.num"), "new");
    EXPECT_EQ(dir_.read("f1"), "lines");
    EXPECT_EQ(set.written(), "primo; secondo");
}

// A write that fails stops the set and says which steps were written.
TEST_F(WriteSetTest, FailuresSayWhatWasWritten) {
    WriteSet set(files_);
    set.step("contatore");
    set.write<CountersFile>(7, Count(1));
    set.step("oltre la fine");
    set.write<CountersFile>(kMaxCountedRecords + 1, Count(1));
    set.step("mai");
    set.write<CountersFile>(8, Count(1));
    const Status applied = set.apply();
    EXPECT_FALSE(applied);
    EXPECT_TRUE(applied.partlyDone());
    EXPECT_EQ(set.written(), "contatore");
    EXPECT_EQ(set.notWritten(), "oltre la fine; mai");
    EXPECT_EQ(count(8), 0);
}

}  // namespace
}  // namespace qorvana

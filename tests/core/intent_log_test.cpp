#include "core/intent_log.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <cerrno>
#include <cstdlib>
#include <map>

#include "core/counters_record.h"
#include "core/data_files.h"
#include "core/write_hook.h"
#include "customers/customer_record.h"
#include "tests/temp_dir.h"

namespace qorvana {
namespace {

using testing::TempDir;

// A company folder with two counted records, a customer and a series file, and one operation
// that changes them all: a counter, one customer written twice, a new file and a replaced one.
class IntentLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!kWriteHook) GTEST_SKIP() << "built without the write hook (QORVANA_WRITE_HOOK)";
        reset();
        before = state();
    }
    // The company as it was before the operation.
    void reset() {
        std::filesystem::remove_all(folder());
        drive.write("c/qorvana.tot", std::string(12 * 20, '\0'));
        drive.write("c/qorvana.cli", std::string(CustomersFile::Record::kLength * 3, 'a'));
        drive.write("c/qorvana.num", "before");
    }
    std::filesystem::path folder() const { return drive.path() / "c"; }

    // False when a file could not be staged: refused, nothing written.
    bool operation(DataFiles& files, WriteSet& set) {
        set.step("contatore");
        auto counter = files.read<CountersFile>(7);
        counter.setInt16(tot::kRecordCount, 42);
        set.write<CountersFile>(7, counter);
        set.step("cliente");
        auto customer = set.read<CustomersFile>(3);
        customer.bytes()[0] = 'b';
        set.write<CustomersFile>(3, customer);
        customer.bytes()[1] = 'c';
        set.write<CustomersFile>(3, customer);
        set.write<CustomersFile>(4, customer);  // appended
        set.flush();
        set.step("file");
        for (const char* name : {"f1", "qorvana.num"}) {
            auto staged = set.stage(folder() / name, name, std::string("after ") + name);
            if (!staged) return false;
            set.publish(*staged);
        }
        return true;
    }
    // Runs the operation in a child process with `fault`: 0 done, 1 refused, 2 partly done, or
    // 100 + the signal; with no fault, once done, the write points it counted.
    int runInChild(const WriteFault& fault) {
        return testing::InChild([&]() -> int {  // ends as a crash would, nothing torn down
            SetWriteFault(fault);
            DataFiles files;
            files.open(folder());
            WriteSet set(files);
            if (!operation(files, set)) std::_Exit(1);
            const auto done = ApplyWithIntent(set, folder(), "Il documento n. 1");
            if (done.ok() && fault.kind == WriteFaultKind::None)
                std::_Exit(static_cast<int>(WritePointsCounted()));
            std::_Exit(done.ok() ? 0 : done.partlyDone() ? 2 : 1);
        });
    }
    // Each file of the folder and its bytes; files the set opens empty count as missing.
    std::map<std::string, std::string> state() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(folder()))
            if (const auto bytes = drive.read("c" / entry.path().filename()); !bytes.empty())
                files[entry.path().filename().string()] = bytes;
        return files;
    }
    Result<IntentRecovery> recover() {
        DataFiles files;
        files.open(folder());
        return RecoverIntent(files, folder());
    }
    std::int64_t writePoints() { return runInChild({}); }

    TempDir drive;
    std::map<std::string, std::string> before;
};

// Killed right after any write point, the operation is either not begun or completed at the
// next start, and the operator is told which; nothing of it is left half-done.
TEST_F(IntentLogTest, KilledAtAnyWritePointIsCompletedOrNotBegun) {
    const std::int64_t points = writePoints();
    const auto after = state();
    ASSERT_NE(after, before);
    ASSERT_GT(points, 8);
    for (std::int64_t n = 1; n <= points; ++n) {
        SCOPED_TRACE("kill after write point " + std::to_string(n));
        reset();
        ASSERT_EQ(runInChild({WriteFaultKind::Kill, n, 0}), 100 + SIGKILL);
        const auto recovered = recover();
        ASSERT_TRUE(recovered.ok()) << recovered.message();
        // Completed by the recovery, or written whole before the kill, or not begun.
        const bool completed = !recovered->told.empty();
        EXPECT_TRUE(state() == after || (!completed && state() == before));
        if (completed) {
            EXPECT_EQ(recovered->told.front(),
                      "Il documento n. 1, interrotta, è stata completata.");
        }
        // A second recovery, as after a crash during the first, finds nothing to do.
        const auto again = recover();
        ASSERT_TRUE(again.ok());
        EXPECT_TRUE(again->told.empty());
    }
}

// A write that fails is told; what it leaves is completed by the recovery, or nothing began.
TEST_F(IntentLogTest, FailedWriteIsToldAndCompletedLater) {
    const std::int64_t points = writePoints();
    const auto after = state();
    for (int error : {EIO, ENOSPC}) {
        for (std::int64_t n = 1; n <= points; ++n) {
            SCOPED_TRACE("error " + std::to_string(error) + " at write point " + std::to_string(n));
            reset();
            const int outcome = runInChild({WriteFaultKind::Error, n, error});
            const auto recovered = recover();
            ASSERT_TRUE(recovered.ok()) << recovered.message();
            if (outcome == 1) {
                EXPECT_EQ(state(), before);
            } else if (outcome == 2) {
                EXPECT_EQ(state(), after);
            }
            // Told either way: by the failure, or (an unconfirmed removal) by the recovery.
            EXPECT_TRUE(outcome != 0 || state() == after);
        }
    }
}

// A record changed by another program after the crash stops the recovery before any write;
// the intent stays and the message names the record. A torn intent is discarded.
TEST_F(IntentLogTest, DisagreeingRecordStopsAndTornIntentIsDiscarded) {
    const std::int64_t points = writePoints();
    // Killed at the first point that leaves the intent.
    for (std::int64_t n = 1; !std::filesystem::exists(folder() / kIntentFile); ++n) {
        reset();
        ASSERT_LT(n, points);
        ASSERT_EQ(runInChild({WriteFaultKind::Kill, n, 0}), 100 + SIGKILL);
    }
    std::string cli = drive.read("c/qorvana.cli");
    cli[CustomersFile::Record::kLength * 2] = 'z';  // another program writes customer 3
    drive.write("c/qorvana.cli", cli);
    const auto tot = drive.read("c/qorvana.tot");
    const auto refused = recover();
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.message().find("qorvana.cli record 3"), std::string::npos)
        << refused.message();
    EXPECT_EQ(refused.message().find("qorvana.tot"), std::string::npos) << refused.message();
    EXPECT_EQ(drive.read("c/qorvana.tot"), tot);
    EXPECT_TRUE(std::filesystem::exists(folder() / kIntentFile));

    std::string intent = drive.read(std::filesystem::path("c") / kIntentFile);
    intent[intent.size() / 2] ^= 1;
    drive.write(std::filesystem::path("c") / kIntentFile, intent);
    const auto discarded = recover();
    ASSERT_TRUE(discarded.ok()) << discarded.message();
    EXPECT_EQ(drive.read("c/qorvana.tot"), tot);
    EXPECT_FALSE(std::filesystem::exists(folder() / kIntentFile));
    for (const auto& [name, bytes] : state()) EXPECT_FALSE(name.ends_with(".tmp")) << name;
}

}  // namespace
}  // namespace qorvana

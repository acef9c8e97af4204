#include "core/posting_lock.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "tests/temp_dir.h"

namespace qorvana {
namespace {

using namespace std::chrono_literals;
using Outcome = PostingLock::Outcome;

// The outcome of one attempt made by another process, as its exit status.
int OutcomeInChild(const std::filesystem::path& folder, std::chrono::milliseconds wait) {
    return testing::InChild(
        [&] { return static_cast<int>(PostingLock::Take(folder, wait).outcome); });
}

// A process that takes the lock, says so through a pipe and keeps it until killed.
pid_t HolderProcess(const std::filesystem::path& folder) {
    int ready[2];
    if (::pipe(ready) != 0) return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        auto attempt = PostingLock::Take(folder, 0ms);
        const char said = attempt.outcome == Outcome::Taken ? 'y' : 'n';
        if (::write(ready[1], &said, 1) != 1) std::_Exit(2);
        for (;;) ::pause();
    }
    char said = 0;
    ::close(ready[1]);
    const bool read = ::read(ready[0], &said, 1) == 1;
    ::close(ready[0]);
    return read && said == 'y' ? child : -1;
}

TEST(PostingLock, OneHolderAtATimeWhicheverTheProcessOrOpen) {
    testing::TempDir dir;
    auto first = PostingLock::Take(dir.path(), 0ms);
    ASSERT_EQ(first.outcome, Outcome::Taken) << first.problem;
    // Another open of the file in the same process, and another process: both wait, then give up.
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(PostingLock::Take(dir.path(), 100ms).outcome, Outcome::Busy);
    EXPECT_GE(std::chrono::steady_clock::now() - started, 100ms);
    EXPECT_EQ(OutcomeInChild(dir.path(), 50ms), static_cast<int>(Outcome::Busy));

    first.lock->release();
    EXPECT_EQ(OutcomeInChild(dir.path(), 0ms), static_cast<int>(Outcome::Taken));
    auto again = PostingLock::Take(dir.path(), 0ms);
    EXPECT_EQ(again.outcome, Outcome::Taken);
    // Moved, the lock stays held until its last owner releases it.
    PostingLock moved = std::move(*again.lock);
    again.lock.reset();
    EXPECT_EQ(OutcomeInChild(dir.path(), 0ms), static_cast<int>(Outcome::Busy));
}

TEST(PostingLock, ReleasedWhenTheHolderDies) {
    testing::TempDir dir;
    const pid_t holder = HolderProcess(dir.path());
    ASSERT_GT(holder, 0);
    EXPECT_EQ(PostingLock::Take(dir.path(), 20ms).outcome, Outcome::Busy);
    // A waiting process gets the lock as soon as the holder is gone.
    const pid_t killer = ::fork();
    if (killer == 0) {
        ::usleep(100000);
        ::kill(holder, SIGKILL);
        std::_Exit(0);
    }
    auto attempt = PostingLock::Take(dir.path(), 5000ms);
    EXPECT_EQ(attempt.outcome, Outcome::Taken) << attempt.problem;
    ::waitpid(killer, nullptr, 0);
    ::waitpid(holder, nullptr, 0);
    // The file stays: only the lock on it was the holder's.
    EXPECT_TRUE(std::filesystem::exists(dir.path() / PostingLock::kFileName));
}

// Whoever may write the company folder may take the lock after another user created its file,
// whatever that user's umask.
TEST(PostingLock, FileIsSharedWithEveryoneWhoMayWriteTheFolder) {
    const mode_t umask = ::umask(022);
    for (const auto& [folderMode, lockMode] :
         {std::pair{0777, 0666}, std::pair{0770, 0660}, std::pair{0755, 0600}}) {
        testing::TempDir dir;
        std::filesystem::permissions(dir.path(), std::filesystem::perms(folderMode));
        ASSERT_EQ(PostingLock::Take(dir.path(), 0ms).outcome, Outcome::Taken);
        struct stat info {};
        ASSERT_EQ(::stat((dir.path() / PostingLock::kFileName).c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, static_cast<mode_t>(lockMode)) << std::oct << folderMode;
    }
    ::umask(umask);
}

TEST(PostingLock, AFolderWithoutRoomForTheFileFails) {
    testing::TempDir dir;
    const auto attempt = PostingLock::Take(dir.path() / "missing", 0ms);
    EXPECT_EQ(attempt.outcome, Outcome::Failed);
    EXPECT_FALSE(attempt.lock);
    EXPECT_NE(attempt.problem.find("qorvana.lck"), std::string::npos) << attempt.problem;
}

}  // namespace
}  // namespace qorvana

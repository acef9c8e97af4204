#pragma once
// The company's posting lock. Every read-check-write of the records and counters that
// workstations share (document posting, journal posting, the FatturaPA transmission
// counter) runs while this program's process holds it, so that two workstations on one
// company folder never take the same number or record, nor lose each other's updates.
//
// It is an open-file-description lock (fcntl F_OFD_SETLK, whole file, exclusive) on the file
// qorvana.lck of the company folder, which works on local disks and on network shares. The
// system releases it when its holder closes it or ends, however it ends: a workstation that
// crashes leaves no stale lock, and the file itself is never removed. The lock is held only
// for the writes themselves, never while a form waits for the operator. The suite's other
// programs do not take it.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace qorvana {

class PostingLock {
  public:
    // The lock file in the company folder.
    static constexpr const char* kFileName = "qorvana.lck";
    // How long a posting waits for another workstation before the operator is asked.
    static constexpr std::chrono::milliseconds kWait{5000};

    enum class Outcome { Taken, Busy, Failed };
    struct Attempt;

    // Takes the lock of `companyFolder`, waiting up to `wait` while another process (or
    // another open of the file) holds it.
    static Attempt Take(const std::filesystem::path& companyFolder,
                        std::chrono::milliseconds wait = kWait);

    PostingLock(PostingLock&& other) noexcept;
    PostingLock& operator=(PostingLock&& other) noexcept;
    PostingLock(const PostingLock&) = delete;
    PostingLock& operator=(const PostingLock&) = delete;
    ~PostingLock();

    // Gives the lock back (closing the file releases it).
    void release();

  private:
    explicit PostingLock(int fd) : fd_(fd) {}
    int fd_ = -1;
};

struct PostingLock::Attempt {
    Outcome outcome = Outcome::Failed;
    std::optional<PostingLock> lock;  // when Taken
    std::string problem;              // when Failed: the system's reason, Italian context
};

}  // namespace qorvana

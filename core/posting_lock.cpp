#include "core/posting_lock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>
#include <utility>

#include "core/paths.h"
#include "core/system_error.h"

namespace qorvana {
namespace {

// Tries the exclusive lock once: 0 when taken, else the error (EAGAIN/EACCES: held).
int TryLock(int fd) {
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    whole.l_start = 0;
    whole.l_len = 0;  // the whole file, however long
    while (::fcntl(fd, F_OFD_SETLK, &whole) != 0) {
        if (errno != EINTR) return errno;
    }
    return 0;
}

// The lock file is shared by every user who may write the company folder: read and write for
// each class (owner, group, others) that may write the folder, whatever the creator's umask.
// Only its owner can change the mode; for anyone else the file keeps the mode it was given.
void ShareWithFolderWriters(int fd, const std::filesystem::path& file) {
    struct stat folder {};
    if (::stat(file.parent_path().c_str(), &folder) != 0) return;
    mode_t mode = S_IRUSR | S_IWUSR;
    if (folder.st_mode & S_IWGRP) mode |= S_IRGRP | S_IWGRP;
    if (folder.st_mode & S_IWOTH) mode |= S_IROTH | S_IWOTH;
    struct stat lock {};
    if (::fstat(fd, &lock) != 0 || lock.st_uid != ::geteuid() || (lock.st_mode & 0777) == mode)
        return;
    if (::fchmod(fd, mode) != 0) LogSystemError("permessi di " + file.string(), errno);
}

}  // namespace

PostingLock::Attempt PostingLock::Take(const std::filesystem::path& companyFolder,
                                       std::chrono::milliseconds wait) {
    Attempt attempt;
    const std::filesystem::path file = FindInFolder(companyFolder, kFileName);
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int error = errno;
        LogSystemError("apertura di " + file.string(), error);
        attempt.problem =
            "il file " + file.filename().string() + " non si può aprire: " + ItalianReason(error);
        return attempt;
    }
    ShareWithFolderWriters(fd, file);
    PostingLock held(fd);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    // Short pauses at first, a posting takes milliseconds; longer ones while it lasts.
    auto pause = std::chrono::milliseconds(2);
    for (;;) {
        const int error = TryLock(fd);
        if (error == 0) {
            attempt.outcome = Outcome::Taken;
            attempt.lock.emplace(std::move(held));
            return attempt;
        }
        if (error != EAGAIN && error != EACCES) {
            LogSystemError("blocco di " + file.string(), error);
            attempt.problem = "il file " + file.filename().string() +
                              " non si può bloccare: " + ItalianReason(error);
            return attempt;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            attempt.outcome = Outcome::Busy;
            return attempt;
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
}

PostingLock::PostingLock(PostingLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

PostingLock& PostingLock::operator=(PostingLock&& other) noexcept {
    if (this != &other) {
        release();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

PostingLock::~PostingLock() {
    release();
}

void PostingLock::release() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

}  // namespace qorvana

#include "core/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "core/system_error.h"

namespace qorvana {
namespace {

constexpr std::size_t kMaxReadBytes = std::size_t{64} << 20;

// Temporary names differ per process and per write, so that two programs, or two writes of
// one program, never share one: ".NAME.PID-N.tmp" beside the file.
std::filesystem::path TemporaryName(const std::filesystem::path& file) {
    static std::atomic<unsigned> next{0};
    return file.parent_path() / ("." + file.filename().string() + "." + std::to_string(::getpid()) +
                                 "-" + std::to_string(++next) + ".tmp");
}

}  // namespace

FileRead ReadWholeFile(const std::filesystem::path& file) {
    FileRead read;
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            read.missing = true;
        else
            read.error = errno;
        return read;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        read.error = errno;
    } else if (S_ISDIR(info.st_mode)) {
        read.error = EISDIR;
    } else if (info.st_size > static_cast<off_t>(kMaxReadBytes)) {
        read.error = EFBIG;
    }
    char buffer[65536];
    while (read.error == 0) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno != EINTR) read.error = errno;
            continue;
        }
        if (read.bytes.size() + static_cast<std::size_t>(n) > kMaxReadBytes) read.error = EFBIG;
        read.bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (read.error != 0) {
        read.bytes.clear();
        LogSystemError("lettura di " + file.string(), read.error);
    }
    return read;
}

std::string ReadFailureMessage(std::string_view suiteName, int error) {
    return "Il file " + std::string(suiteName) + " non può essere letto: " + ItalianReason(error);
}

DurableFile::DurableFile(std::filesystem::path file, std::string suiteName)
    : file_(std::move(file)), suiteName_(std::move(suiteName)) {}

DurableFile::~DurableFile() {
    discard();
}

Failure DurableFile::notWritten(std::string_view step, int error) {
    LogSystemError(std::string(step) + " di " + file_.string(), error);
    discard();
    return {"Il file " + suiteName_ + " non è stato scritto: " + ItalianReason(error)};
}

Result<> DurableFile::reserve(std::size_t size) {
    discard();
    for (int attempt = 0; fd_ < 0; ++attempt) {
        temporary_ = TemporaryName(file_);
        fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && (errno != EEXIST || attempt == 100)) {
            const int error = errno;
            temporary_.clear();
            return notWritten("creazione", error);
        }
    }
    int failed = 0;
    if (size > 0) {
        do {
            failed = ::posix_fallocate(fd_, 0, static_cast<off_t>(size));
        } while (failed == EINTR);
    }
    // A file system that cannot reserve still takes the write, which is checked.
    if (failed != 0 && failed != EOPNOTSUPP && failed != ENOSYS)
        return notWritten("riserva di spazio", failed);
    return {};
}

Result<> DurableFile::write(std::string_view bytes) {
    if (fd_ < 0) return notWritten("scrittura", EBADF);
    for (std::size_t at = 0; at < bytes.size();) {
        const ssize_t n =
            ::pwrite(fd_, bytes.data() + at, bytes.size() - at, static_cast<off_t>(at));
        if (n < 0 && errno == EINTR) continue;
        // Nothing written without an error would repeat for ever: the disk takes no more.
        if (n <= 0) return notWritten("scrittura", n < 0 ? errno : ENOSPC);
        at += static_cast<std::size_t>(n);
    }
    // The reservation may have made the file longer than its content.
    if (::ftruncate(fd_, static_cast<off_t>(bytes.size())) != 0)
        return notWritten("scrittura", errno);
    if (::fdatasync(fd_) != 0) return notWritten("scrittura su disco", errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return notWritten("chiusura", errno);
    written_ = true;
    return {};
}

Result<> DurableFile::publish() {
    if (!written_) return notWritten("scrittura", EBADF);
    if (::rename(temporary_.c_str(), file_.c_str()) != 0) return notWritten("rinomina", errno);
    temporary_.clear();
    written_ = false;
    named_ = true;
    int error = 0;
    // A bare file name lives in the current folder.
    const std::filesystem::path folderPath = file_.has_parent_path() ? file_.parent_path() : ".";
    const int folder = ::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) {
        error = errno;
    } else {
        if (::fsync(folder) != 0) error = errno;
        if (::close(folder) != 0 && error == 0) error = errno;
    }
    if (error == 0) return {};
    LogSystemError("scrittura su disco della cartella di " + file_.string(), error);
    return Failure{"Il file " + suiteName_ +
                       " è stato scritto, ma il disco non ha confermato la registrazione del "
                       "suo nome: " +
                       ItalianReason(error),
                   true};
}

void DurableFile::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
    written_ = false;
}

Result<> WriteFileDurably(const std::filesystem::path& file, std::string_view suiteName,
                          std::string_view bytes) {
    DurableFile out(file, std::string(suiteName));
    if (auto reserved = out.reserve(bytes.size()); !reserved) return reserved;
    if (auto written = out.write(bytes); !written) return written;
    return out.publish();
}

}  // namespace qorvana

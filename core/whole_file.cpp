#include "core/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <signal.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <string_view>

#include "core/system_error.h"
#include "core/write_hook.h"

namespace qorvana {
namespace {

constexpr std::size_t kMaxReadBytes = std::size_t{64} << 20;

// This workstation's name as temporary names carry it: letters, digits and "-" only, so that
// the name parses back.
const std::string& HostPart() {
    static const std::string host = [] {
        char name[256] = {};
        if (::gethostname(name, sizeof name - 1) != 0 || name[0] == 0) return std::string("host");
        std::string part;
        for (const char* c = name; *c != 0; ++c)
            part += std::isalnum(static_cast<unsigned char>(*c)) || *c == '-' ? *c : '-';
        return part;
    }();
    return host;
}

// Temporary names differ per workstation, process and write, so that two programs, or two
// writes of one program, never share one: ".NAME.HOST.PID-N.tmp" beside the file.
std::filesystem::path TemporaryName(const std::filesystem::path& file) {
    static std::atomic<unsigned> next{0};
    return file.parent_path() /
           ("." + file.filename().string() + "." + HostPart() + "." + std::to_string(::getpid()) +
            "-" + std::to_string(++next) + ".tmp");
}

// The process id of a temporary name of this workstation (".NAME.HOST.PID-N.tmp"), or 0 when
// the name is not one, or another workstation's.
pid_t ProcessOfTemporary(const std::string& name) {
    constexpr std::string_view kSuffix = ".tmp";
    if (name.size() < 2 || name[0] != '.' || !name.ends_with(kSuffix)) return 0;
    const std::string stem = name.substr(0, name.size() - kSuffix.size());
    const auto processDot = stem.rfind('.');
    if (processDot == std::string::npos || processDot == 0) return 0;
    const auto hostDot = stem.rfind('.', processDot - 1);
    if (hostDot == std::string::npos || hostDot == 0 ||
        stem.compare(hostDot + 1, processDot - hostDot - 1, HostPart()) != 0)
        return 0;
    const std::string process = stem.substr(processDot + 1);
    const auto dash = process.find('-');
    const auto digits = [](std::string_view t) {
        return !t.empty() && t.size() < 10 && t.find_first_not_of("0123456789") == t.npos;
    };
    if (dash == std::string::npos || !digits(process.substr(0, dash)) ||
        !digits(process.substr(dash + 1)))
        return 0;
    return static_cast<pid_t>(std::stol(process.substr(0, dash)));
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
        const ssize_t n = AtWritePoint([&] {
            return ::pwrite(fd_, bytes.data() + at, bytes.size() - at, static_cast<off_t>(at));
        });
        if (n < 0 && errno == EINTR) continue;
        // Nothing written without an error would repeat for ever: the disk takes no more.
        if (n <= 0) return notWritten("scrittura", n < 0 ? errno : ENOSPC);
        at += static_cast<std::size_t>(n);
    }
    // The reservation may have made the file longer than its content.
    if (::ftruncate(fd_, static_cast<off_t>(bytes.size())) != 0)
        return notWritten("scrittura", errno);
    if (AtWritePoint([&] { return ::fdatasync(fd_); }) != 0)
        return notWritten("scrittura su disco", errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return notWritten("chiusura", errno);
    written_ = true;
    return {};
}

Result<> DurableFile::publish() {
    if (!written_) return notWritten("scrittura", EBADF);
    Result<> named = GiveWrittenFileItsName(temporary_, file_, suiteName_);
    if (!named && !named.partlyDone()) {
        discard();
        return named;
    }
    temporary_.clear();
    written_ = false;
    named_ = true;
    return named;
}

Result<> GiveWrittenFileItsName(const std::filesystem::path& temporary,
                                const std::filesystem::path& file, const std::string& suiteName) {
    if (AtWritePoint([&] { return ::rename(temporary.c_str(), file.c_str()); }) != 0) {
        const int error = errno;
        LogSystemError("rinomina di " + file.string(), error);
        return Failure{"Il file " + suiteName + " non è stato scritto: " + ItalianReason(error)};
    }
    int error = 0;
    // A bare file name lives in the current folder.
    const std::filesystem::path folderPath = file.has_parent_path() ? file.parent_path() : ".";
    const int folder = ::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) {
        error = errno;
    } else {
        if (AtWritePoint([&] { return ::fsync(folder); }) != 0) error = errno;
        if (::close(folder) != 0 && error == 0) error = errno;
    }
    if (error == 0) return {};
    LogSystemError("scrittura su disco della cartella di " + file.string(), error);
    return Failure{"Il file " + suiteName +
                       " è stato scritto, ma il disco non ha confermato la registrazione del "
                       "suo nome: " +
                       ItalianReason(error),
                   true};
}

void DurableFile::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty() && !kept_) ::unlink(temporary_.c_str());
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

std::vector<std::string> RemoveLeftTemporaries(const std::filesystem::path& folder,
                                               const std::vector<std::string>& kept) {
    std::vector<std::string> removed;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        const pid_t process = ProcessOfTemporary(name);
        if (process <= 0 || process == ::getpid()) continue;
        // Still running (or not ours to ask about): its file may be in use.
        if (::kill(process, 0) == 0 || errno != ESRCH) continue;
        if (std::find(kept.begin(), kept.end(), name) != kept.end()) continue;
        if (::unlink(it->path().c_str()) == 0)
            removed.push_back(name);
        else if (errno != ENOENT)
            LogSystemError("rimozione di " + it->path().string(), errno);
    }
    return removed;
}

}  // namespace qorvana

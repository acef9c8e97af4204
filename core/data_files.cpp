#include "core/data_files.h"

#include <fcntl.h>
#include <linux/falloc.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <thread>
#include <vector>

#include "core/paths.h"
#include "core/system_error.h"
#include "core/write_hook.h"

namespace qorvana {

namespace {

std::string FileName(const std::filesystem::path& path) {
    return path.filename().string();
}

}  // namespace

DataFiles::~DataFiles() {
    closeAll();
}

void DataFiles::open(const std::filesystem::path& companyFolder) {
    closeAll();
    for (const ChannelSpec& entry : kDataFileSet) {
        Slot& s = slots_.at(static_cast<std::size_t>(entry.channel));
        s.length = entry.recordLength;
        s.lastRecord = entry.lastRecord;
        s.path = FindInFolder(companyFolder, std::string("qorvana.") + entry.extension);
        // The counters file is never created: an empty one would make posting overwrite
        // the first records of the other files.
        const int create = entry.channel == kTot ? 0 : O_CREAT;
        s.fd = ::open(s.path.c_str(), O_RDWR | O_CLOEXEC | create, 0666);
        s.writable = s.fd >= 0;
        if (s.fd < 0) s.fd = ::open(s.path.c_str(), O_RDONLY | O_CLOEXEC);
    }
}

void DataFiles::closeAll() {
    for (Slot& s : slots_) {
        if (s.fd >= 0) ::close(s.fd);
        s.fd = -1;
        s.writable = false;
    }
}

const DataFiles::Slot& DataFiles::slot(int channel) const {
    static const Slot kNone{};
    if (channel < 0 || static_cast<std::size_t>(channel) >= slots_.size()) return kNone;
    return slots_[static_cast<std::size_t>(channel)];
}

bool DataFiles::isOpen(int channel) const {
    return slot(channel).fd >= 0;
}

bool DataFiles::isWritable(int channel) const {
    return slot(channel).writable;
}

std::size_t DataFiles::recordLength(int channel) const {
    return slot(channel).length;
}

const std::filesystem::path& DataFiles::pathOf(int channel) const {
    return slot(channel).path;
}

std::int32_t DataFiles::physicalRecords(int channel) const {
    const Slot& s = slot(channel);
    struct stat st {};
    if (s.fd < 0 || s.length == 0 || ::fstat(s.fd, &st) != 0) return 0;
    const auto records = static_cast<std::uint64_t>(st.st_size) / s.length;
    return static_cast<std::int32_t>(std::min<std::uint64_t>(records, INT32_MAX));
}

bool DataFiles::hasRoomFor(int channel, std::int32_t n) const {
    const Slot& s = slot(channel);
    struct stat st {};
    if (s.fd < 0 || n < 1 || ::fstat(s.fd, &st) != 0) return false;
    const auto end = static_cast<std::uint64_t>(n) * s.length;
    const auto size = static_cast<std::uint64_t>(st.st_size);
    if (end <= size) return true;
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        end > limit.rlim_cur)
        return false;
    struct statvfs fs {};
    if (::fstatvfs(s.fd, &fs) != 0) return false;
    // One block more than the growth: the last block of the file may need a new one too.
    const std::uint64_t free = static_cast<std::uint64_t>(fs.f_bavail) * fs.f_frsize;
    return free >= end - size + fs.f_frsize;
}

void DataFiles::readRaw(int channel, std::int32_t n, std::span<std::uint8_t> out) const {
    readRange(channel, n, 1, out.first(std::min(out.size(), slot(channel).length)));
    if (out.size() > slot(channel).length)
        std::fill(out.begin() + static_cast<std::ptrdiff_t>(slot(channel).length), out.end(),
                  std::uint8_t{0});
}

void DataFiles::readRange(int channel, std::int32_t first, std::int32_t count,
                          std::span<std::uint8_t> out) const {
    const Slot& s = slot(channel);
    std::size_t got = 0;
    if (s.fd >= 0 && first >= 1 && count >= 1) {
        const std::size_t want = std::min(out.size(), s.length * static_cast<std::size_t>(count));
        const auto offset = static_cast<off_t>(first - 1) * static_cast<off_t>(s.length);
        while (got < want) {
            const ssize_t r = ::pread(s.fd, out.data() + got, want - got, offset + off_t(got));
            if (r == 0) break;  // past the end: the rest reads as zero
            if (r < 0) {
                if (errno == EINTR) continue;
                // The record the failed read began in, as a read of that record alone says.
                const auto n = first + static_cast<std::int32_t>(got / s.length);
                LogSystemError("lettura di " + s.path.string(), errno);
                throw RecordIoError("Errore di lettura dell'archivio " + FileName(s.path) +
                                    " (record " + std::to_string(n) + "): " + ItalianReason(errno));
            }
            got += static_cast<std::size_t>(r);
        }
    }
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(got), out.end(), std::uint8_t{0});
}

void DataFiles::writeRaw(int channel, std::int32_t n, std::span<const std::uint8_t> in) {
    const Slot& s = slot(channel);
    if (s.fd < 0 || !s.writable) {
        const std::string name =
            s.path.empty() ? "del canale " + std::to_string(channel) : FileName(s.path);
        throw RecordIoError("L'archivio " + name + " non è aperto in scrittura.");
    }
    if (n < 1 || n > s.lastRecord) {
        throw RecordIoError("Numero di record " + std::to_string(n) + " fuori dai limiti (1-" +
                            std::to_string(s.lastRecord) + ") nell'archivio " + FileName(s.path) +
                            ".");
    }
    if (in.size() != s.length) {
        throw RecordIoError("Record di lunghezza errata per l'archivio " + FileName(s.path) + ".");
    }
    const auto offset = static_cast<off_t>(n - 1) * static_cast<off_t>(s.length);
    std::size_t done = 0;
    while (done < in.size()) {
        const ssize_t w = AtWritePoint([&] {
            return ::pwrite(s.fd, in.data() + done, in.size() - done, offset + off_t(done));
        });
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) {
            const int error = w < 0 ? errno : ENOSPC;
            LogSystemError("scrittura di " + s.path.string(), error);
            throw RecordIoError("Errore di scrittura nell'archivio " + FileName(s.path) +
                                " (record " + std::to_string(n) + "): " + ItalianReason(error));
        }
        done += static_cast<std::size_t>(w);
    }
}

void DataFiles::reserve(int channel, std::int32_t first, std::int32_t count) {
    const Slot& s = slot(channel);
    if (s.fd < 0 || count <= 0 || first < 1) return;
    const auto offset = static_cast<off_t>(first - 1) * static_cast<off_t>(s.length);
    const auto length = static_cast<off_t>(count) * static_cast<off_t>(s.length);
    if (::fallocate(s.fd, FALLOC_FL_KEEP_SIZE, offset, length) == 0) return;
    if (errno == EOPNOTSUPP || errno == ENOSYS) return;
    LogSystemError("riserva di spazio in " + s.path.string(), errno);
    throw RecordIoError("Spazio su disco insufficiente per l'archivio " + FileName(s.path) +
                        " (record " + std::to_string(first) + "-" +
                        std::to_string(first + count - 1) + "): " + ItalianReason(errno));
}

void DataFiles::sync(std::span<const int> channels) {
    // The files are flushed at the same time: the file system then commits them together,
    // which costs about one flush instead of one per file.
    std::vector<const Slot*> open;
    for (int channel : channels) {
        const Slot& s = slot(channel);
        if (s.fd >= 0 && std::find(open.begin(), open.end(), &s) == open.end()) open.push_back(&s);
    }
    std::vector<int> errors(open.size(), 0);
    // The files are flushed together: one write point for all of them.
    if (const int injected = BeforeWritePoint(); injected != 0 && !open.empty())
        errors[0] = injected;
    const auto flush = [&errors, &open](std::size_t i) {
        errors[i] = ::fdatasync(open[i]->fd) == 0 ? 0 : errno;
    };
    {
        std::vector<std::jthread> flushes;
        flushes.reserve(open.size());
        for (std::size_t i = 1; i < open.size(); ++i) {
            try {
                flushes.emplace_back(flush, i);
            } catch (const std::system_error&) {
                flush(i);  // no thread to spare: flush this file here
            }
        }
        if (!open.empty() && errors[0] == 0) flush(0);
    }
    AfterWritePoint();
    for (std::size_t i = 0; i < open.size(); ++i) {
        if (errors[i] != 0) {
            LogSystemError("scrittura su disco di " + open[i]->path.string(), errors[i]);
            throw RecordIoError("Impossibile salvare su disco l'archivio " +
                                FileName(open[i]->path) + ": " + ItalianReason(errors[i]));
        }
    }
}

}  // namespace qorvana

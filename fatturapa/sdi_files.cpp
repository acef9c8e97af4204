#include "fatturapa/sdi_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace qorvana {
namespace {

// A name no other process or thread uses: another workstation may write beside it.
std::filesystem::path TemporaryBeside(const std::filesystem::path& file) {
    static std::atomic<unsigned> counter{0};
    return file.string() + "." + std::to_string(::getpid()) + "-" + std::to_string(++counter) +
           ".tmp";
}

int WriteAll(int fd, std::string_view bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

int SyncFolder(const std::filesystem::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::filesystem::path& file, std::string* reason) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        if (reason) *reason = "il file " + file.string() + " non esiste";
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>{});
    if (in.bad() || !in.is_open()) {
        if (reason) *reason = "il file " + file.string() + " non si può leggere";
        return std::nullopt;
    }
    return bytes;
}

std::string WriteFileDurably(const std::filesystem::path& file, std::string_view bytes,
                             unsigned mode) {
    const std::filesystem::path temporary = TemporaryBeside(file);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) return std::strerror(errno);
    int error = WriteAll(fd, bytes);
    if (error == 0 && ::fchmod(fd, mode) != 0) error = errno;  // whatever the umask
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && std::rename(temporary.c_str(), file.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return std::strerror(error);
    }
    if (const int folder = SyncFolder(file.parent_path()); folder != 0)
        return std::string("la cartella non è stata scritta su disco (") + std::strerror(folder) +
               ")";
    return {};
}

}  // namespace qorvana

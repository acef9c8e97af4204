#pragma once
// A fresh folder for one test, removed afterwards; a company folder in one, or a drive with
// company 1 and a session on it; work run under a file-size limit or in a child process.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>

#include "core/counters_record.h"
#include "core/data_files.h"
#include "core/session.h"

namespace qorvana::testing {

class TempDir {
  public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qorvana-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Writes `bytes` to the file at `relative`, creating its folders.
    std::filesystem::path write(const std::filesystem::path& relative,
                                std::string_view bytes) const {
        const auto file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return file;
    }
    // Contents of the file at `relative` ("" when missing).
    std::string read(const std::filesystem::path& relative) const {
        std::ifstream in(path_ / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

  private:
    std::filesystem::path path_;
};

// A company folder of its own: a counters file of `counters` zero records, the data files open.
struct TempCompany {
    explicit TempCompany(int counters = 20) {
        dir.write("qorvana.tot",
                  std::string(static_cast<std::size_t>(counters) * tot::kLength, '\0'));
        files.open(dir.path());
    }
    TempDir dir;
    DataFiles files;
};

// Company 1's folder on a drive of its own, as the program finds it, and a session on it.
inline constexpr const char* kCompanyFolder = "qorwin/qorwin/qoraz0.001/";
inline constexpr const char* kDataRoot = "qorwin/qorwin/";
struct CompanyDrive {
    CompanyDrive() {
        std::filesystem::create_directories(drive.path() / kCompanyFolder);
        session.paths = PathMapper(drive.path());
        session.companyNumber = 1;
    }
    void writeCompany(const std::string& name, std::string_view bytes) const {
        drive.write(kCompanyFolder + name, bytes);
    }
    void writeRoot(const std::string& name, std::string_view bytes) const {
        drive.write(kDataRoot + name, bytes);
    }
    TempDir drive;
    Session session;
};

// Runs `write` with files limited to `maxBytes`: a write beyond fails, as on a full disk,
// instead of stopping the test.
template <typename Write>
auto WithFileLimit(rlim_t maxBytes, Write&& write) {
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = maxBytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    auto result = write();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    return result;
}

// The exit status of `work` run in a child process, or 100 + the signal that ended it: the
// child may change its limits, user or mounts, or be killed, without touching the test.
inline int InChild(const std::function<int()>& work) {
    const pid_t child = ::fork();
    if (child == 0) std::_Exit(work());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? 100 + WTERMSIG(status) : WEXITSTATUS(status);
}

}  // namespace qorvana::testing

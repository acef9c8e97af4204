#pragma once
// The company the harnesses read: a small demo company with one posted invoice and its
// journal entry, written once per process on a memory-backed drive. An input replaces one of
// its files; afterwards every file is put back as it was, so that each input is read against
// the same company whatever the inputs before it did.

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <string_view>

#include "core/session.h"

namespace qorvana::fuzz {

class ScratchCompany {
  public:
    // The company of this process, written on first use.
    static ScratchCompany& Get();
    ~ScratchCompany();
    ScratchCompany(const ScratchCompany&) = delete;
    ScratchCompany& operator=(const ScratchCompany&) = delete;

    const std::filesystem::path& drive() const { return drive_; }
    std::filesystem::path folder() const;    // \qorwin\qorwin\qoraz0.001
    std::filesystem::path dataRoot() const;  // \qorwin\qorwin

    // Replaces the bytes of `file`, keeping the file itself, so that descriptors already open
    // on it read the new bytes.
    static void Put(const std::filesystem::path& file, std::string_view bytes);
    // Every file back to its bytes after set-up; files and folders made since removed.
    void restore();
    // Each file of the company as set up, by its path relative to the drive.
    const std::map<std::string, std::string>& files() const { return files_; }

    // A session on the company as start-up leaves it: company 1, settings loaded, data
    // files open.
    std::unique_ptr<Session> openSession() const;

  private:
    ScratchCompany();
    std::filesystem::path drive_;
    std::map<std::string, std::string> files_;
    std::set<std::string> folders_;
    int watch_ = -1;                      // inotify descriptor
    std::map<int, std::string> watched_;  // watch -> folder relative to the drive
};

// The harness input split into a selector (its first byte, modulo `choices`) and the bytes
// after it.
struct Selected {
    int choice = 0;
    std::string_view bytes;
};
Selected Select(std::span<const std::uint8_t> input, int choices);

}  // namespace qorvana::fuzz

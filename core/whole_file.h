#pragma once
// Files read and written whole. A read tells a missing file from one that is there but cannot
// be read. Every file the program writes whole goes through DurableFile: room reserved under a
// temporary name of its own beside the file, the bytes written and flushed to the disk, the
// file's name given, the folder flushed; a failure leaves the file as it was and its message
// says exactly what was not written. Messages name the file as the operator knows it (its
// suite path, "c:\qordoc.rto"); the system's own text goes to the log.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace qorvana {

struct FileRead {
    std::string bytes;
    bool missing = false;  // there is no such file
    int error = 0;         // the file is there but could not be read (a system error number)
    bool ok() const { return !missing && error == 0; }
};

// Reads the whole file (a folder in its place, or anything past 64 MiB, is a read error).
FileRead ReadWholeFile(const std::filesystem::path& file);
// "Il file NAME non può essere letto: REASON".
std::string ReadFailureMessage(std::string_view suiteName, int error);

class DurableFile {
  public:
    // `file` is the host path, `suiteName` the path the operator knows.
    DurableFile(std::filesystem::path file, std::string suiteName);
    ~DurableFile();
    DurableFile(const DurableFile&) = delete;
    DurableFile& operator=(const DurableFile&) = delete;

    // Creates the temporary file and reserves `size` bytes on the disk.
    Result<> reserve(std::size_t size);
    // Writes the whole content (after reserve) and flushes it to the disk.
    Result<> write(std::string_view bytes);
    // Gives the written file its name, replacing the old file, and flushes the folder so that
    // the new name survives a crash.
    Result<> publish();
    // Removes the temporary file of a write that was not published (unless kept).
    void discard();
    // The written temporary file is named in an intent (core/intent_log.h): it stays, even
    // when publishing fails or this is destroyed, for the recovery to give it its name.
    void keep() { kept_ = true; }

    const std::string& suiteName() const { return suiteName_; }
    const std::filesystem::path& file() const { return file_; }
    // The temporary name the content is written under until publish (empty before reserve
    // and once published).
    const std::filesystem::path& temporary() const { return temporary_; }
    // True once the file has its name (publish renamed it), even when the folder's flush
    // then failed.
    bool named() const { return named_; }

  private:
    Failure notWritten(std::string_view step, int error);

    std::filesystem::path file_;
    std::string suiteName_;
    std::filesystem::path temporary_;
    int fd_ = -1;
    bool written_ = false;
    bool named_ = false;
    bool kept_ = false;
};

// Renames the written and flushed `temporary` to `file` and flushes the folder. A failure of
// the flush alone leaves the file named (partlyDone).
Result<> GiveWrittenFileItsName(const std::filesystem::path& temporary,
                                const std::filesystem::path& file, const std::string& suiteName);

// reserve, write and publish; the message of the first step that failed.
Result<> WriteFileDurably(const std::filesystem::path& file, std::string_view suiteName,
                          std::string_view bytes);

// Removes from `folder` the temporary files that DurableFile of a process of this workstation
// left when it ended before naming them: only names of this program's pattern, only of a
// process that is no longer running, never one of `kept` (a write still to be completed).
// Another workstation's files are never touched: it may be writing them now. Returns the
// names removed.
std::vector<std::string> RemoveLeftTemporaries(const std::filesystem::path& folder,
                                               const std::vector<std::string>& kept = {});

}  // namespace qorvana

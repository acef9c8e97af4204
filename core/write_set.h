#pragma once
// The one way an operation changes the company's files. Posting, journal posting and the
// FatturaPA export first add to a WriteSet everything they will write, then apply it:
// - each record with its bytes as they are (before-image, read when the write is added,
//   through the writes added before it) and as they will be (after-image);
// - each whole file staged: written and flushed to the disk under a temporary name of its own
//   beside the file (DurableFile), with the file as it was; applying gives it its name;
// - the flushes that make the records written so far durable.
// The writes are grouped in steps named as the operator reads them ("documento 42
// (qorvana.fte)"): a failure says which steps were written and which were not. Nothing is
// undone: a set applied under an intent (core/intent_log.h) is completed from it.
// Every entry is plain data (channel, record number, before and after bytes; a whole file by
// its final and temporary names and its content as it was), and every write of it that reaches
// the files passes through put().

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/data_files.h"
#include "core/result.h"
#include "core/whole_file.h"

namespace qorvana {

// A whole file an operation writes along with its records: its host path, its name as the
// operator knows it, its new content.
struct WholeFileContent {
    std::filesystem::path file;
    std::string suiteName;
    std::string bytes;
};

class WriteSet {
  public:
    // A record of a data file: record `number` of the file on `channel`.
    struct RecordWrite {
        int channel = 0;
        std::int32_t number = 0;
        std::vector<std::uint8_t> before;
        std::vector<std::uint8_t> after;
    };
    // A whole file staged under its temporary name, given its name when applied.
    struct FileWrite {
        std::filesystem::path file;  // the final name
        std::string suiteName;
        FileRead before;  // the file as it was (or missing)
        std::shared_ptr<DurableFile> staged;
        const std::filesystem::path& temporary() const { return staged->temporary(); }
    };
    // The data files written by the writes before it, made durable.
    struct Flush {
        std::vector<int> channels;
    };
    struct Entry {
        std::variant<RecordWrite, FileWrite, Flush> write;
        std::size_t step = 0;
    };
    // A whole file staged and not yet placed among the writes (publish places it).
    struct StagedFile {
        std::size_t index = 0;
    };

    explicit WriteSet(DataFiles& files) : files_(files) {}
    WriteSet(const WriteSet&) = delete;
    WriteSet& operator=(const WriteSet&) = delete;

    // The writes added from now on, until the next step, are the step named `what`.
    void step(std::string what);

    // Record `n` of `File` as the writes added so far leave it.
    template <class File>
    typename File::Record read(std::int32_t n) const {
        typename File::Record r;
        readRaw(File::kChannel, n, r.bytes());
        return r;
    }
    // Adds the write of record `n` of `File`; returns its position among the writes.
    template <class File>
    std::size_t write(std::int32_t n, const typename File::Record& after) {
        return writeRaw(File::kChannel, n, after.bytes());
    }

    // Writes `bytes` under a temporary name beside `file` and flushes them, and keeps the file
    // as it is now; nothing else changes. The refusal says what could not be read or written.
    // publish() places the naming among the writes; a file never published is removed.
    Result<StagedFile> stage(const std::filesystem::path& file, const std::string& suiteName,
                             std::string_view bytes);
    void publish(StagedFile file);
    // Adds the flush of every data file written by the writes added so far.
    void flush();

    // Applies the writes in order, each step's in turn, and stops at the first that fails: its
    // message is the failure's own text, partly done once a write has reached the files.
    Result<> apply();

    // After apply: the steps written and those not ("; "-separated, "niente" for none), the
    // step that failed, how many writes were applied.
    std::string written() const;
    std::string notWritten() const;
    std::optional<std::size_t> failedStep() const { return failedStep_; }
    std::size_t applied() const { return applied_; }
    // After a failed apply: the whole file that failed has its name all the same (only the
    // folder's flush was not confirmed).
    bool failedFileNamed() const { return failedFileNamed_; }

    const std::vector<Entry>& entries() const { return entries_; }
    const std::vector<std::string>& steps() const { return steps_; }

  private:
    void readRaw(int channel, std::int32_t n, std::span<std::uint8_t> out) const;
    std::size_t writeRaw(int channel, std::int32_t n, std::span<const std::uint8_t> after);
    std::size_t add(std::variant<RecordWrite, FileWrite, Flush> write);
    // The one way a write reaches the files: entry `i` applied (its after-image written, its
    // file named, its files flushed). Throws RecordIoError with the failure's text.
    void put(std::size_t i);
    std::string listed(std::size_t from, std::size_t to) const;
    // The data files written by the first `end` writes.
    std::vector<int> channelsWritten(std::size_t end) const;

    DataFiles& files_;
    std::vector<std::string> steps_;
    std::vector<Entry> entries_;
    std::vector<FileWrite> staged_;  // staged, not yet published
    std::size_t applied_ = 0;
    std::optional<std::size_t> failedStep_;
    bool failedFileNamed_ = false;
};

}  // namespace qorvana

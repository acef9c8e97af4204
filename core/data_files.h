#pragma once
// The company's data-file set: every file opened once, read/write, under its fixed channel
// number and record length, for the whole run. Record N lies at (N - 1) * length. Any record
// numbered from 1 can be read (the quotes file numbers its records beyond the 16-bit
// counts); one past the end of the file, or numbered below 1, reads as all zero bytes.

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/data_file_types.h"

namespace qorvana {

class PathMapper;

// A read or write of a data file that failed; caught by the form that started the action.
class RecordIoError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class DataFiles {
  public:
    DataFiles() = default;
    ~DataFiles();
    DataFiles(const DataFiles&) = delete;
    DataFiles& operator=(const DataFiles&) = delete;

    // Opens the whole set in `companyFolder` (a host path). A missing file is created empty,
    // except qorvana.tot, which is never created. A file that cannot be opened leaves its
    // channel closed.
    void open(const std::filesystem::path& companyFolder);
    void closeAll();

    bool isOpen(int channel) const;
    // False when the channel is closed or its file could be opened for reading only.
    bool isWritable(int channel) const;
    std::size_t recordLength(int channel) const;
    // Number of whole records physically in the file (0 when closed).
    std::int32_t physicalRecords(int channel) const;
    const std::filesystem::path& pathOf(int channel) const;
    // True when writing record n cannot fail for want of room: the file already reaches past
    // it, or the disk and the process's file-size limit leave room for the growth.
    bool hasRoomFor(int channel, std::int32_t n) const;

    // Reads record n into `out` (recordLength bytes); zero bytes past the end, for n < 1,
    // or when the channel is closed.
    void readRaw(int channel, std::int32_t n, std::span<std::uint8_t> out) const;
    // Writes record n; throws RecordIoError when the channel is closed, n is outside
    // 1..the file's last record number (kMaxCountedRecords for a counted file), or the write fails.
    void writeRaw(int channel, std::int32_t n, std::span<const std::uint8_t> in);

    // Reads records first..first+count-1 in one call into `out` (count * recordLength
    // bytes), with the rules of readRaw for records past the end.
    void readRange(int channel, std::int32_t first, std::int32_t count,
                   std::span<std::uint8_t> out) const;

    // Record n of `File`, in the file's own record type: a record cannot be read from or
    // written to another file than its own.
    template <class File>
    typename File::Record read(std::int32_t n) const {
        typename File::Record r;
        readRaw(File::kChannel, n, r.bytes());
        return r;
    }
    template <class File>
    void write(std::int32_t n, const typename File::Record& r) {
        writeRaw(File::kChannel, n, r.bytes());
    }

    // Calls visit(n, record) for records first..first + count - 1 of `File` (first >= 1) in
    // record-number order, each with the bytes read<File>(n) gives it (zero past the end). The
    // range is read a block of whole records at a time: one system call per block instead of
    // one per record, and a buffer that stays in the processor's cache.
    template <class File, class Visit>
    void scan(std::int32_t first, std::int32_t count, Visit&& visit) const {
        using Record = typename File::Record;
        // The block is read straight into the records: a record is its bytes, nothing else.
        static_assert(sizeof(Record) == Record::kLength && std::is_trivially_copyable_v<Record>);
        constexpr auto kPerBlock =
            static_cast<std::int32_t>(std::max<std::size_t>(1, kScanBlockBytes / Record::kLength));
        if (count < 1) return;
        std::vector<Record> block(static_cast<std::size_t>(std::min(count, kPerBlock)));
        for (std::int32_t done = 0; done < count;) {
            const std::int32_t n = std::min(kPerBlock, count - done);
            auto* bytes = reinterpret_cast<std::uint8_t*>(block.data());
            readRange(File::kChannel, first + done, n,
                      std::span(bytes, static_cast<std::size_t>(n) * Record::kLength));
            for (std::int32_t k = 0; k < n; ++k)
                visit(first + done + k, std::as_const(block[static_cast<std::size_t>(k)]));
            done += n;
        }
    }

    // Reserves disk room for records first..first + count - 1 without changing the file's
    // length, so that appending them cannot fail for lack of room; throws RecordIoError when
    // the disk is full. A file system that cannot reserve is left as it is.
    void reserve(int channel, std::int32_t first, std::int32_t count);

    // Makes the written data of the channels durable (fdatasync); throws RecordIoError.
    void sync(std::span<const int> channels);

  private:
    static constexpr std::size_t kScanBlockBytes = 128 * 1024;
    struct Slot {
        int fd = -1;
        bool writable = false;
        std::size_t length = 0;
        std::int32_t lastRecord = 0;
        std::filesystem::path path;
    };
    const Slot& slot(int channel) const;
    std::array<Slot, 40> slots_{};
};

}  // namespace qorvana

#pragma once
// The company's data-file set: every file opened once, read/write, under its fixed channel
// number and record length, for the whole run. Record N lies at (N - 1) * length. A record
// past the end of a file, or numbered outside 1..32767, reads as all zero bytes.

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "startup/record.h"

namespace qorvana {

class PathMapper;

// A read or write of a data file that failed; caught by the form that started the action.
class RecordIoError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

enum Channel : int {
    kTot = 15,
    kCli = 1,
    kSrc = 2,
    kFte = 3,
    kF2e = 13,
    kRic = 4,
    kArt = 5,
    kSra = 6,
    kMag = 7,
    kSrb = 8,
    kBol = 9,
    kAge = 10,
    kPrv = 11,
    kPrx = 12,
    kCon = 17,
    kGio = 18,
    kArtText = 19,
};

// One file of the set: extension and record length.
struct ChannelSpec {
    int channel;
    const char* extension;
    std::size_t recordLength;
};

// The set in opening order.
extern const std::array<ChannelSpec, 17> kDataFileSet;

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
    // 1..32767, or the write fails.
    void writeRaw(int channel, std::int32_t n, std::span<const std::uint8_t> in);

    // Reads records first..first+count-1 in one call into `out` (count * recordLength
    // bytes), with the rules of readRaw for records past the end.
    void readRange(int channel, std::int32_t first, std::int32_t count,
                   std::span<std::uint8_t> out) const;

    template <std::size_t N>
    Record<N> read(int channel, std::int32_t n) const {
        Record<N> r;
        readRaw(channel, n, r.bytes());
        return r;
    }
    template <std::size_t N>
    void write(int channel, std::int32_t n, const Record<N>& r) {
        writeRaw(channel, n, r.bytes());
    }

    // Reserves disk room for records first..first + count - 1 without changing the file's
    // length, so that appending them cannot fail for lack of room; throws RecordIoError when
    // the disk is full. A file system that cannot reserve is left as it is.
    void reserve(int channel, std::int32_t first, std::int32_t count);

    // Makes the written data of the channels durable (fdatasync); throws RecordIoError.
    void sync(std::span<const int> channels);

  private:
    struct Slot {
        int fd = -1;
        bool writable = false;
        std::size_t length = 0;
        std::filesystem::path path;
    };
    const Slot& slot(int channel) const;
    std::array<Slot, 40> slots_{};
};

}  // namespace qorvana

#pragma once
// The bulk-read floor of the scan benchmarks: the bytes a scan reads, read with pread in
// blocks of 128 KiB into one reused buffer, as `cat` reads a file; and the timing of a scan
// and its floor in the same iterations, reported as medians and their ratio.

#include <benchmark/benchmark.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace qorvana::bench {

// Reads `length` bytes of the open file `fd` from `offset`; a checksum, so nothing is skipped.
inline long BulkRead(int fd, std::size_t length, off_t offset = 0) {
    static std::vector<std::uint8_t> buffer(128 * 1024);
    long sum = 0;
    for (std::size_t done = 0; done < length;) {
        const std::size_t want = std::min(buffer.size(), length - done);
        const ssize_t got = ::pread(fd, buffer.data(), want, offset + off_t(done));
        if (got <= 0) std::abort();
        sum += buffer[0];
        done += static_cast<std::size_t>(got);
    }
    return sum;
}

// Times a scan and its floor in every iteration; reports `<scan>_ms`, `<floor>_ms` (medians)
// and `<ratio>` = scan / floor of the medians.
class PairedTimes {
  public:
    template <class Scan, class Floor>
    void time(Scan&& scan, Floor&& floor) {
        using Clock = std::chrono::steady_clock;
        const auto t0 = Clock::now();
        scan();
        const auto t1 = Clock::now();
        floor();
        const auto t2 = Clock::now();
        scan_.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        floor_.push_back(std::chrono::duration<double, std::milli>(t2 - t1).count());
    }
    void report(benchmark::State& state, const std::string& scanName, const std::string& floorName,
                const std::string& ratioName = "ratio") {
        const double scan = Median(scan_);
        const double floor = Median(floor_);
        state.counters[scanName + "_ms"] = scan;
        state.counters[floorName + "_ms"] = floor;
        state.counters[ratioName] = floor > 0 ? scan / floor : 0;
    }

  private:
    static double Median(std::vector<double> v) {
        if (v.empty()) return 0;
        std::sort(v.begin(), v.end());
        const std::size_t n = v.size();
        return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    }
    std::vector<double> scan_;
    std::vector<double> floor_;
};

}  // namespace qorvana::bench

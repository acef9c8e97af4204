// Reading every record of a full customer file (32,767 records of 752 bytes) through
// DataFiles, against a plain pread loop over the same file: the floor.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/data_files.h"
#include "customers/customer_record.h"

namespace {

using qorvana::CustomerRecord;
using qorvana::DataFiles;
namespace cli = qorvana::cli;

constexpr int kRecords = qorvana::kMaxCountedRecords;

// A company folder with a full customer file, made once and removed at exit.
class CustomerFolder {
  public:
    CustomerFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "qorvana-bench-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        std::ofstream(folder_ / "qorvana.tot", std::ios::binary) << std::string(12 * 20, '\0');
        std::ofstream out(folder_ / "qorvana.cli", std::ios::binary);
        for (int n = 1; n <= kRecords; ++n) {
            CustomerRecord r;
            r.setText(cli::kName1, "CLIENTE " + std::to_string(n));
            r.setText(cli::kTown, "FORLÌ");
            r.setInt16(cli::kPaymentCondition, static_cast<std::int16_t>(n % 60 + 1));
            out.write(reinterpret_cast<const char*>(r.bytes().data()), cli::kLength);
        }
    }
    ~CustomerFolder() {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    const std::filesystem::path& folder() const { return folder_; }

  private:
    std::filesystem::path folder_;
};

const CustomerFolder& Folder() {
    static const CustomerFolder folder;
    return folder;
}

long ScanWithDataFiles(const DataFiles& files) {
    long sum = 0;
    for (int n = 1; n <= kRecords; ++n)
        sum += files.read<qorvana::CustomersFile>(n).int16(cli::kPaymentCondition);
    return sum;
}

long ScanWithPread(int fd) {
    long sum = 0;
    std::array<std::uint8_t, cli::kLength> buffer;
    for (int n = 1; n <= kRecords; ++n) {
        const off_t offset = static_cast<off_t>(n - 1) * cli::kLength;
        if (::pread(fd, buffer.data(), buffer.size(), offset) != cli::kLength) std::abort();
        std::int16_t condition;
        std::memcpy(&condition, buffer.data() + cli::kPaymentCondition.offset, 2);
        sum += condition;
    }
    return sum;
}

void BM_CustomerScanDataFiles(benchmark::State& state) {
    DataFiles files;
    files.open(Folder().folder());
    for (auto _ : state) benchmark::DoNotOptimize(ScanWithDataFiles(files));
    state.SetItemsProcessed(state.iterations() * kRecords);
}

void BM_CustomerScanPreadFloor(benchmark::State& state) {
    const int fd = ::open((Folder().folder() / "qorvana.cli").c_str(), O_RDONLY);
    for (auto _ : state) benchmark::DoNotOptimize(ScanWithPread(fd));
    ::close(fd);
    state.SetItemsProcessed(state.iterations() * kRecords);
}

// Both scans in each iteration, alternating, so that the ratio compares like with like.
void BM_CustomerScanRatio(benchmark::State& state) {
    DataFiles files;
    files.open(Folder().folder());
    const int fd = ::open((Folder().folder() / "qorvana.cli").c_str(), O_RDONLY);
    using Clock = std::chrono::steady_clock;
    Clock::duration throughDataFiles{};
    Clock::duration throughPread{};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(ScanWithDataFiles(files));
        const auto t1 = Clock::now();
        benchmark::DoNotOptimize(ScanWithPread(fd));
        const auto t2 = Clock::now();
        throughDataFiles += t1 - t0;
        throughPread += t2 - t1;
    }
    ::close(fd);
    const double perScan = 1e-6 / static_cast<double>(state.iterations());
    state.counters["datafiles_ms"] =
        std::chrono::duration<double, std::nano>(throughDataFiles).count() * perScan;
    state.counters["pread_ms"] =
        std::chrono::duration<double, std::nano>(throughPread).count() * perScan;
    state.counters["ratio"] = std::chrono::duration<double>(throughDataFiles).count() /
                              std::chrono::duration<double>(throughPread).count();
}

BENCHMARK(BM_CustomerScanDataFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CustomerScanPreadFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CustomerScanRatio)->Unit(benchmark::kMillisecond);

}  // namespace

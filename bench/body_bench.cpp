// The body form's two heavy paths: recomputing a full 500-line document (target under
// 20 microseconds), and building the article list from a full article file (32,767 records)
// against a plain pread loop over the same file and against a bulk read of it (target within
// 3 times the bulk read).

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

#include "articles/article_lookup.h"
#include "bench/bulk_floor.h"
#include "core/counters_record.h"
#include "core/data_files.h"
#include "core/money.h"
#include "document/document_math.h"

namespace {

using namespace qorvana;

constexpr int kArticles = kMaxCountedRecords;

LineTable FullDocument() {
    LineTable lines;
    for (int n = 1; n <= LineTable::kLines; ++n) {
        DocumentLine& l = lines[n];
        l.code = "ART" + std::to_string(n);
        l.quantity = n % 7 + 1;
        l.unitPrice = 10.125 + n;
        l.discount1 = static_cast<std::int16_t>(n % 3 * 5);
        l.discount2 = static_cast<std::int16_t>(n % 2 * 10);
        l.vatCode = static_cast<std::int16_t>(n % 24 + 1);
        l.unitWeight = 0.25;
    }
    return lines;
}

VatTable Rates() {
    VatTable vat;
    const double rates[] = {0, 22, 10, 4, 5, 22, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int k = 0; k <= 16; ++k) vat.rate[k] = rates[k];
    vat.withholding[1] = 20;
    return vat;
}

void BM_RecomputeFullDocument(benchmark::State& state) {
    const LineTable lines = FullDocument();
    const VatTable vat = Rates();
    const Money euro(true, 2);
    const bool inclusive = state.range(0) != 0;
    for (auto _ : state) benchmark::DoNotOptimize(RecomputeDocument(lines, vat, inclusive, euro));
}
BENCHMARK(BM_RecomputeFullDocument)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A company folder with a full article file in shuffled code order, made once.
class ArticleFolder {
  public:
    ArticleFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "qorvana-bench-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        std::ofstream tot(folder_ / "qorvana.tot", std::ios::binary);
        for (int n = 1; n <= 20; ++n) {
            CountersRecord r;
            if (n == 3) r.setInt16(tot::kRecordCount, kArticles);
            tot.write(reinterpret_cast<const char*>(r.bytes().data()), tot::kLength);
        }
        std::ofstream out(folder_ / "qorvana.art", std::ios::binary);
        for (int n = 1; n <= kArticles; ++n) {
            ArticleRecord a;
            for (auto& b : a.bytes()) b = ' ';
            const int key = static_cast<int>((n * 7919L) % kArticles);
            a.setText(art::kCode, "A" + std::to_string(key));
            a.setText(art::kDescription, "Articolo di prova numero " + std::to_string(n));
            a.setDouble(art::kPrice1, n * 1.5);
            a.setInt16(art::kDeleted, 0);
            out.write(reinterpret_cast<const char*>(a.bytes().data()), art::kLength);
        }
    }
    ~ArticleFolder() {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    const std::filesystem::path& folder() const { return folder_; }

  private:
    std::filesystem::path folder_;
};

const ArticleFolder& Folder() {
    static const ArticleFolder folder;
    return folder;
}

// The floor: every article record read with one pread, its code's first byte looked at.
long ReadArticlesPlain(int fd) {
    long sum = 0;
    std::array<std::uint8_t, art::kLength> buffer;
    for (int n = 1; n <= kArticles; ++n) {
        const off_t offset = static_cast<off_t>(n - 1) * art::kLength;
        if (::pread(fd, buffer.data(), buffer.size(), offset) != art::kLength) std::abort();
        sum += buffer[0];
    }
    return sum;
}

void BM_ArticleListBuild(benchmark::State& state) {
    DataFiles files;
    files.open(Folder().folder());
    for (auto _ : state)
        benchmark::DoNotOptimize(ArticleList::Build(files, ArticleListForm::CodeFirst).size());
    state.SetItemsProcessed(state.iterations() * kArticles);
}
BENCHMARK(BM_ArticleListBuild)->Unit(benchmark::kMillisecond);

void BM_ArticleReadFloor(benchmark::State& state) {
    const int fd = ::open((Folder().folder() / "qorvana.art").c_str(), O_RDONLY);
    for (auto _ : state) benchmark::DoNotOptimize(ReadArticlesPlain(fd));
    ::close(fd);
    state.SetItemsProcessed(state.iterations() * kArticles);
}
BENCHMARK(BM_ArticleReadFloor)->Unit(benchmark::kMillisecond);

// Both in every iteration: the ratio list build / plain read.
void BM_ArticleListRatio(benchmark::State& state) {
    DataFiles files;
    files.open(Folder().folder());
    const int fd = ::open((Folder().folder() / "qorvana.art").c_str(), O_RDONLY);
    double listSeconds = 0;
    double readSeconds = 0;
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(ArticleList::Build(files, ArticleListForm::CodeFirst).size());
        const auto t1 = Clock::now();
        benchmark::DoNotOptimize(ReadArticlesPlain(fd));
        const auto t2 = Clock::now();
        listSeconds += std::chrono::duration<double>(t1 - t0).count();
        readSeconds += std::chrono::duration<double>(t2 - t1).count();
    }
    ::close(fd);
    const double n = static_cast<double>(state.iterations());
    state.counters["list_ms"] = listSeconds / n * 1000;
    state.counters["read_ms"] = readSeconds / n * 1000;
    state.counters["ratio"] = listSeconds / readSeconds;
}
BENCHMARK(BM_ArticleListRatio)->Unit(benchmark::kMillisecond);

// The list (code first: 0, description first: 1) and, in the same iteration, a bulk read of
// the same 10.7 MB: the target ratio.
void BM_ArticleListBulkRatio(benchmark::State& state) {
    DataFiles files;
    files.open(Folder().folder());
    const auto form = static_cast<ArticleListForm>(state.range(0));
    const int fd = ::open((Folder().folder() / "qorvana.art").c_str(), O_RDONLY);
    qorvana::bench::PairedTimes times;
    for (auto _ : state)
        times.time([&] { benchmark::DoNotOptimize(ArticleList::Build(files, form).size()); },
                   [&] {
                       benchmark::DoNotOptimize(
                           qorvana::bench::BulkRead(fd, std::size_t{kArticles} * art::kLength));
                   });
    ::close(fd);
    times.report(state, "list", "bulk");
}
BENCHMARK(BM_ArticleListBulkRatio)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

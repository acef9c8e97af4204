// Posting a 500-line invoice on a full-size company (32 767 articles, 30 000 documents and
// movements), durability included, against the floor: the same number of records written
// with plain positioned writes and one fdatasync.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "articles/article_record.h"
#include "core/counters_record.h"
#include "core/data_files.h"
#include "document/line_file.h"
#include "posting/posting.h"
#include "tests/posting/posting_sample.h"

namespace qorvana {
namespace {

namespace fs = std::filesystem;

constexpr int kArticles = kMaxCountedRecords;
constexpr int kDocuments = 30000;
constexpr int kMovements = 30000;
constexpr int kLines = 500;

void WriteFile(const fs::path& file, std::size_t recordLength, int records,
               const std::vector<std::uint8_t>& record) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) throw std::runtime_error("cannot create " + file.string());
    std::vector<std::uint8_t> chunk;
    for (int i = 0; i < 1000; ++i) chunk.insert(chunk.end(), record.begin(), record.end());
    for (int done = 0; done < records;) {
        const int n = std::min(1000, records - done);
        const auto bytes = static_cast<std::size_t>(n) * recordLength;
        if (::write(fd, chunk.data(), bytes) != static_cast<ssize_t>(bytes))
            throw std::runtime_error("cannot write " + file.string());
        done += n;
    }
    ::fsync(fd);
    ::close(fd);
}

// A full-size company folder and a 500-line invoice ready to post.
class Company {
  public:
    Company() {
        dir_ = fs::temp_directory_path() / ("qorvana_bench_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        WriteEmptyCounters(dir_);
        ArticleRecord a;
        a.setText(art::kCode, "ARTICOLO");
        a.setDouble(art::kStock, 1e6);
        WriteFile(dir_ / "qorvana.art", art::kLength, kArticles,
                  std::vector<std::uint8_t>(a.bytes().begin(), a.bytes().end()));
        WriteFile(dir_ / "qorvana.fte", 522, kDocuments, std::vector<std::uint8_t>(522, ' '));
        WriteFile(dir_ / "qorvana.f2e", 838, kDocuments, std::vector<std::uint8_t>(838, ' '));
        WriteFile(dir_ / "qorvana.mag", 94, kMovements, std::vector<std::uint8_t>(94, ' '));
        files.open(dir_);
        setCount(tot::kArticles, kArticles);
        reset();

        for (int n = 1; n <= kLines; ++n) {
            DocumentLine& l = lines_[n];
            l.code = "ARTICOLO";
            l.description = "Articolo di prova numero " + std::to_string(n);
            l.unit = "PZ";
            l.quantity = 1 + n % 5;
            l.unitPrice = 12.5 + n;
            l.discount1 = 5;
            l.vatCode = 1;
        }
    }
    ~Company() {
        files.closeAll();
        fs::remove_all(dir_);
    }

    // Back to the starting counts, the appended records cut away.
    void reset() {
        setCount(tot::kInvoices, kDocuments);
        setCount(tot::kMovements, kMovements);
        ::truncate((dir_ / "qorvana.fte").c_str(), 522L * kDocuments);
        ::truncate((dir_ / "qorvana.f2e").c_str(), 838L * kDocuments);
        ::truncate((dir_ / "qorvana.mag").c_str(), 94L * kMovements);
        ::truncate((dir_ / "floor.dat").c_str(), 0);
        ::sync();
    }

    // Articles of the lines: spread over the file (every 65th) or the first 500.
    void spreadArticles(bool spread) {
        for (int n = 1; n <= kLines; ++n)
            lines_[n].articleRecord =
                static_cast<std::int16_t>(spread ? (n * 65) % kArticles + 1 : n);
    }

    const fs::path& dir() const { return dir_; }
    const LineTable& lines() const { return lines_; }
    const DocumentDraft& draft() const { return draft_; }

    DataFiles files;
    PostingSample sample;
    PostingInput& input = sample.input;

  private:
    void setCount(int record, int count) {
        auto r = files.read<CountersFile>(record);
        r.setInt16(tot::kRecordCount, static_cast<std::int16_t>(count));
        files.write<CountersFile>(record, r);
    }

    fs::path dir_;
    DocumentDraft& draft_ = sample.draft;
    LineTable& lines_ = draft_.lines;
};

Company& TheCompany() {
    static Company company;
    return company;
}

// Argument 0: the lines' articles spread over the whole article file; 1: articles 1..500.
void BM_PostInvoice500Lines(benchmark::State& state) {
    Company& c = TheCompany();
    c.spreadArticles(state.range(0) == 0);
    for (auto _ : state) {
        state.PauseTiming();
        c.reset();
        state.ResumeTiming();
        const Result<DocumentStored> r = PostDocument(c.files, c.input);
        if (!r.ok() || r->movements != kLines) state.SkipWithError(r.message().c_str());
    }
}

// Posting and the document's line file, as the confirmation cycle does them.
void BM_PostInvoiceAndLineFile(benchmark::State& state) {
    Company& c = TheCompany();
    c.spreadArticles(true);
    for (auto _ : state) {
        state.PauseTiming();
        c.reset();
        state.ResumeTiming();
        const Result<DocumentStored> r = PostDocument(c.files, c.input);
        if (!r.ok()) state.SkipWithError(r.message().c_str());
        if (!LineFile::Write(c.dir() / LineFile::IssuedFileName(r->serial),
                             LineFile::IssuedHeader(c.draft(), DocumentKind::Invoice),
                             LineFile::BlocksOf(c.lines())))
            state.SkipWithError("line file");
    }
}

// The floor: as many records of the same lengths (2 counters, document, continuation, 500
// articles and 500 movements), appended with positioned writes to one file, one fdatasync.
void BM_FloorPositionedWrites(benchmark::State& state) {
    Company& c = TheCompany();
    std::vector<std::size_t> lengths = {12, 522, 838};
    for (int i = 0; i < kLines; ++i) {
        lengths.push_back(327);
        lengths.push_back(94);
    }
    lengths.push_back(12);
    const std::vector<std::uint8_t> bytes(1024, 'x');
    const fs::path file = c.dir() / "floor.dat";
    for (auto _ : state) {
        state.PauseTiming();
        c.reset();
        state.ResumeTiming();
        const int fd = ::open(file.c_str(), O_RDWR | O_CREAT, 0644);
        off_t at = 0;
        for (std::size_t len : lengths) {
            if (::pwrite(fd, bytes.data(), len, at) != static_cast<ssize_t>(len))
                state.SkipWithError("pwrite");
            at += static_cast<off_t>(len);
        }
        if (::fdatasync(fd) != 0) state.SkipWithError("fdatasync");
        ::close(fd);
    }
}

// A second floor: the very records posting writes (same files, same positions, the articles
// read and rewritten), with plain positioned I/O and the files flushed together.
void BM_FloorSamePositions(benchmark::State& state) {
    Company& c = TheCompany();
    c.spreadArticles(state.range(0) == 0);
    const auto path = [&c](const char* ext) { return c.dir() / (std::string("qorvana.") + ext); };
    const int tot = ::open(path("tot").c_str(), O_RDWR);
    const int fte = ::open(path("fte").c_str(), O_RDWR);
    const int f2e = ::open(path("f2e").c_str(), O_RDWR);
    const int art = ::open(path("art").c_str(), O_RDWR);
    const int mag = ::open(path("mag").c_str(), O_RDWR);
    std::vector<std::uint8_t> bytes(1024, 'x');
    const auto put = [&state, &bytes](int fd, std::size_t len, off_t at) {
        if (::pwrite(fd, bytes.data(), len, at) != static_cast<ssize_t>(len))
            state.SkipWithError("pwrite");
    };
    for (auto _ : state) {
        state.PauseTiming();
        c.reset();
        state.ResumeTiming();
        put(tot, 12, 6 * 12);
        put(fte, 522, 522L * kDocuments);
        put(f2e, 838, 838L * kDocuments);
        for (int n = 1; n <= kLines; ++n) {
            const off_t at = 327L * c.lines()[n].articleRecord - 327;
            if (::pread(art, bytes.data(), 327, at) != 327) state.SkipWithError("pread");
            put(art, 327, at);
            put(mag, 94, 94L * (kMovements + n - 1));
        }
        put(tot, 12, 10 * 12);
        std::vector<std::jthread> flushes;
        for (int fd : {fte, f2e, art, mag}) flushes.emplace_back([fd] { ::fdatasync(fd); });
        ::fdatasync(tot);
    }
    for (int fd : {tot, fte, f2e, art, mag}) ::close(fd);
}

BENCHMARK(BM_PostInvoice500Lines)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(40);
BENCHMARK(BM_PostInvoiceAndLineFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(40);
BENCHMARK(BM_FloorPositionedWrites)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(40);
BENCHMARK(BM_FloorSamePositions)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(40);

}  // namespace
}  // namespace qorvana

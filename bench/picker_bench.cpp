// The delivery-note picker on a full note file (32 767 records, one customer holding 2 000
// open notes) against two floors: the same records read with a plain pread loop, and the
// same bytes read in bulk; the quote picker on 32 767 quotes against the same two floors; and
// the import of 100 notes of 5 lines each, grouped, from their line files, against reading
// those files.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/bulk_floor.h"
#include "core/counters_record.h"
#include "core/data_files.h"
#include "customers/customer_record.h"
#include "document/line_file.h"
#include "sources/delivery_note_record.h"
#include "sources/imports.h"
#include "sources/quote_record.h"
#include "sources/source_documents.h"

namespace qorvana {
namespace {

namespace fs = std::filesystem;

constexpr int kNoteRecords = kMaxCountedRecords;
constexpr int kOpenNotes = 2000;
constexpr int kImported = 100;
constexpr int kLinesPerNote = 5;
constexpr int kQuotes = kMaxCountedRecords;
constexpr int kOpenQuotes = 2000;

void WriteBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

// Customer 1 holds a note record every 16 records (2 000 notes), the other records are line
// records and other customers' notes. The first 100 notes of customer 1 have line files.
class Company {
  public:
    Company() {
        dir_ = fs::temp_directory_path() / ("qorvana_picker_bench_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        std::string tot(20 * tot::kLength, '\0');
        const std::int16_t count = kNoteRecords;
        std::memcpy(tot.data() + (tot::kDeliveryNoteLines - 1) * tot::kLength, &count, 2);
        const std::int16_t quotes = kQuotes;
        std::memcpy(tot.data() + (tot::kQuotes - 1) * tot::kLength, &quotes, 2);
        WriteBytes(dir_ / "qorvana.tot", tot);
        WriteBytes(dir_ / "qorvana.cli", std::string(3 * cli::kLength, '\0'));
        std::string bol;
        bol.reserve(static_cast<std::size_t>(kNoteRecords) * bol::kLength);
        for (int i = 1; i <= kNoteRecords; ++i) {
            DeliveryNoteRecord r;
            const bool ours = i % 16 == 1 && static_cast<int>(notes_.size()) < kOpenNotes;
            r.setInt16(bol::kNumber, static_cast<std::int16_t>(i % 30000));
            r.setText(bol::kDate, "20250305");
            r.setText(bol::kText, "Vendita");
            r.setSingle(bol::kSerial, static_cast<float>(i));
            r.setInt16(bol::kHeadMark, ours || i % 16 == 9 ? 1 : 0);
            r.setInt16(bol::kCustomer, ours ? 1 : 2);
            if (ours) notes_.push_back(i);
            bol.append(reinterpret_cast<const char*>(r.bytes().data()), bol::kLength);
        }
        WriteBytes(dir_ / "qorvana.bol", bol);
        WriteQuotes();
        for (int n = 0; n < kImported; ++n) {
            std::vector<DocumentLine> blocks(LineFile::kNoteBlocks);
            for (int k = 0; k < kLinesPerNote; ++k) {
                DocumentLine& l = blocks[static_cast<std::size_t>(k)];
                l.articleRecord = static_cast<std::int16_t>((n * kLinesPerNote + k) % 300 + 1);
                l.code = "ART" + std::to_string(l.articleRecord);
                l.description = "Articolo " + l.code;
                l.unit = "PZ";
                l.vatCode = 1;
                l.quantity = 2;
                l.unitPrice = 10.5;
            }
            const int record = notes_[static_cast<std::size_t>(n)];
            if (!LineFile::Write(dir_ / ("b" + std::to_string(record)),
                                 std::vector<std::string>(10, "x"), blocks))
                throw std::runtime_error("cannot write a line file");
        }
        files_.open(dir_);
    }
    ~Company() {
        files_.closeAll();
        fs::remove_all(dir_);
    }

    const fs::path& dir() const { return dir_; }
    DataFiles& files() { return files_; }
    std::vector<int> firstNotes() const { return {notes_.begin(), notes_.begin() + kImported}; }

  private:
    // Each quote's heading in the first of its 200 records; the other records are left as
    // holes (1.86 GB of file, 32 767 pages of it written). Customer 1 holds every 16th quote.
    void WriteQuotes() {
        const int fd = ::open((dir_ / "qorvana.prv").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const auto size = static_cast<off_t>(kQuotes) * prv::kLinesPerQuote * prv::kLength;
        if (fd < 0 || ::ftruncate(fd, size) != 0) throw std::runtime_error("no quote file");
        for (int q = 1; q <= kQuotes; ++q) {
            QuoteRecord r;
            r.setText(prv::kNumber, std::to_string(q));
            r.setText(prv::kDate, "20250305");
            r.setText(prv::kDescription, "Preventivo di prova " + std::to_string(q));
            r.setInt16(prv::kCustomer, q % 16 == 1 && q / 16 < kOpenQuotes ? 1 : 2);
            const auto at = static_cast<off_t>(prv::RecordOf(q, 1) - 1) * prv::kLength;
            if (::pwrite(fd, r.bytes().data(), prv::kLength, at) != prv::kLength)
                throw std::runtime_error("cannot write a quote");
        }
        ::close(fd);
    }

    fs::path dir_;
    DataFiles files_;
    std::vector<int> notes_;
};

Company& TheCompany() {
    static Company company;
    return company;
}

double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

std::size_t ListNotes(Company& c) {
    return ListSources(c.files(), SourceKind::DeliveryNotes, 1, {}).size();
}

// The floor: every note record read with pread, nothing else.
std::size_t ReadNotesPlain(Company& c) {
    const int fd = ::open((c.dir() / "qorvana.bol").c_str(), O_RDONLY);
    std::uint8_t buffer[bol::kLength];
    std::size_t sum = 0;
    for (int i = 1; i <= kNoteRecords; ++i) {
        if (::pread(fd, buffer, sizeof buffer, static_cast<off_t>(i - 1) * bol::kLength) > 0)
            sum += buffer[87];
    }
    ::close(fd);
    return sum;
}

void BM_PickerListRatio(benchmark::State& state) {
    Company& c = TheCompany();
    double list = 0;
    double read = 0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        const std::size_t rows = ListNotes(c);
        auto t1 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(ReadNotesPlain(c));
        auto t2 = std::chrono::steady_clock::now();
        if (rows != kOpenNotes) state.SkipWithError("wrong number of notes listed");
        list += Milliseconds(t1 - t0);
        read += Milliseconds(t2 - t1);
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["list_ms"] = list / n;
    state.counters["read_ms"] = read / n;
    state.counters["ratio"] = list / read;
}
BENCHMARK(BM_PickerListRatio)->Unit(benchmark::kMillisecond);

// The note picker and a bulk read of the same 3.2 MB: the target ratio.
void BM_PickerListBulkRatio(benchmark::State& state) {
    Company& c = TheCompany();
    const int fd = ::open((c.dir() / "qorvana.bol").c_str(), O_RDONLY);
    bench::PairedTimes times;
    for (auto _ : state)
        times.time([&] { benchmark::DoNotOptimize(ListNotes(c)); },
                   [&] {
                       benchmark::DoNotOptimize(
                           bench::BulkRead(fd, std::size_t{kNoteRecords} * bol::kLength));
                   });
    ::close(fd);
    times.report(state, "list", "bulk");
}
BENCHMARK(BM_PickerListBulkRatio)->Unit(benchmark::kMillisecond);

// The quote picker (2 000 open quotes of customer 1 among 32 767) against three floors: the
// 32 767 headings read with pread, which are the bytes it reads, 200 records apart
// (`ratio`); as many bytes read in bulk, as if they lay together (`bulk_ratio`); and the whole
// quote file read in bulk, as `cat` reads it (`whole_ratio`).
void BM_QuotePickerRatio(benchmark::State& state) {
    Company& c = TheCompany();
    const int fd = ::open((c.dir() / "qorvana.prv").c_str(), O_RDONLY);
    const auto headings = [fd] {
        std::uint8_t buffer[prv::kLength];
        long sum = 0;
        for (int q = 1; q <= kQuotes; ++q) {
            const auto at = static_cast<off_t>(prv::RecordOf(q, 1) - 1) * prv::kLength;
            if (::pread(fd, buffer, sizeof buffer, at) > 0) sum += buffer[18];
        }
        return sum;
    };
    const std::size_t fileBytes = std::size_t{kQuotes} * prv::kLinesPerQuote * prv::kLength;
    bench::PairedTimes times;
    bench::PairedTimes bulk;
    bench::PairedTimes whole;
    for (auto _ : state) {
        std::size_t rows = 0;
        times.time([&] { rows = ListSources(c.files(), SourceKind::Quotes, 1, {}).size(); },
                   [&] { benchmark::DoNotOptimize(headings()); });
        if (rows != kOpenQuotes) state.SkipWithError("wrong number of quotes listed");
        bulk.time(
            [&] { benchmark::DoNotOptimize(ListSources(c.files(), SourceKind::Quotes, 1, {})); },
            [&] {
                benchmark::DoNotOptimize(bench::BulkRead(fd, std::size_t{kQuotes} * prv::kLength));
            });
        whole.time(
            [&] { benchmark::DoNotOptimize(ListSources(c.files(), SourceKind::Quotes, 1, {})); },
            [&] { benchmark::DoNotOptimize(bench::BulkRead(fd, fileBytes)); });
    }
    ::close(fd);
    times.report(state, "list", "headings");
    bulk.report(state, "list_again", "bulk", "bulk_ratio");
    whole.report(state, "list_third", "whole_file", "whole_ratio");
}
BENCHMARK(BM_QuotePickerRatio)->Unit(benchmark::kMillisecond);

// What the import benchmarks import: the first notes, grouped, VAT code 1 at 22%.
struct NoteImport {
    NoteImport() {
        vat.rate[1] = 22;
        terms.vat = &vat;
    }
    ImportResult run(LineTable& lines) const {
        return ImportDeliveryNotes(company.files(), company.dir(), notes, true, terms, lines);
    }

    Company& company = TheCompany();
    std::vector<int> notes = company.firstNotes();
    VatTable vat;
    ImportTerms terms;
};

void BM_ImportHundredNotes(benchmark::State& state) {
    const NoteImport import;
    for (auto _ : state) {
        LineTable lines;
        const ImportResult r = import.run(lines);
        if (r.imported.size() != kImported || r.linesLeftOut != 0)
            state.SkipWithError("not every note imported");
        benchmark::DoNotOptimize(lines[1]);
    }
}
BENCHMARK(BM_ImportHundredNotes)->Unit(benchmark::kMillisecond);

// The import and, in the same iteration, the floor: the 100 line files opened and read whole.
void BM_ImportRatio(benchmark::State& state) {
    const NoteImport import;
    const auto readFiles = [&] {
        static std::vector<char> buffer(1 << 20);
        long sum = 0;
        for (int record : import.notes) {
            const int fd =
                ::open((import.company.dir() / ("b" + std::to_string(record))).c_str(), O_RDONLY);
            ssize_t got = 0;
            while ((got = ::read(fd, buffer.data(), buffer.size())) > 0) sum += buffer[0];
            ::close(fd);
        }
        return sum;
    };
    bench::PairedTimes times;
    for (auto _ : state)
        times.time(
            [&] {
                LineTable lines;
                const ImportResult r = import.run(lines);
                if (r.imported.size() != kImported) state.SkipWithError("not every note imported");
                benchmark::DoNotOptimize(lines[1]);
            },
            [&] { benchmark::DoNotOptimize(readFiles()); });
    times.report(state, "import", "files");
}
BENCHMARK(BM_ImportRatio)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qorvana

// The delivery-note picker on a full note file (32 767 records, one customer holding 2 000
// open notes) against the floor: the same records read with a plain pread loop; and the
// import of 100 notes of 5 lines each, grouped, from their line files.

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

#include "core/counters_record.h"
#include "core/data_files.h"
#include "customers/customer_record.h"
#include "document/line_file.h"
#include "sources/delivery_note_record.h"
#include "sources/imports.h"
#include "sources/source_documents.h"

namespace qorvana {
namespace {

namespace fs = std::filesystem;

constexpr int kNoteRecords = 32767;
constexpr int kOpenNotes = 2000;
constexpr int kImported = 100;
constexpr int kLinesPerNote = 5;

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

void BM_ImportHundredNotes(benchmark::State& state) {
    Company& c = TheCompany();
    const std::vector<int> notes = c.firstNotes();
    VatTable vat;
    vat.rate[1] = 22;
    ImportTerms terms;
    terms.vat = &vat;
    for (auto _ : state) {
        LineTable lines;
        const ImportResult r = ImportDeliveryNotes(c.files(), c.dir(), notes, true, terms, lines);
        if (r.imported.size() != kImported || r.linesLeftOut != 0)
            state.SkipWithError("not every note imported");
        benchmark::DoNotOptimize(lines[1]);
    }
}
BENCHMARK(BM_ImportHundredNotes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qorvana

// Writing the FatturaPA XML (1.0 and 1.2.3) of a 500-line document against writing the same
// bytes with plain buffered writes, in the same run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/whole_file.h"
#include "fatturapa/fpa_export.h"

namespace qorvana {
namespace {

namespace fs = std::filesystem;

struct Document {
    FpaRecord record;
    CustomerRecord customer;
    LineTable lines;
    VatTable vat;
    HeaderTables tables;
    Money money;
    DocumentFigures figures;
    fs::path folder = fs::temp_directory_path() / ("qorvana_fpa_bench_" + std::to_string(getpid()));

    Document() {
        fs::create_directories(folder);
        for (auto& b : record.bytes()) b = ' ';
        record.setText(fpa::kTransmitterCountry, "IT");
        record.setText(fpa::kTransmitterId, "01234567897");
        record.setText(fpa::kSellerVatNumber, "01234567897");
        record.setText(fpa::kTaxRegimeIndex, "0");
        record.setText(fpa::kSellerName, "QORVANA DEMO S.R.L.");
        record.setText(fpa::kSellerAddress, "Via dell'Industria 15");
        record.setText(fpa::kSellerPostcode, "37135");
        record.setText(fpa::kSellerTown, "Verona");
        record.setText(fpa::kProgressive, "17");
        record.setText(fpa::kRecipientCode, "UFH7Q2");
        record.setText(fpa::kDocumentType, "TD01");
        record.setText(fpa::kDocumentDate, "06/12/2026");
        record.setText(fpa::kDocumentNumber, "15");
        record.setText(fpa::kPaymentCondition, "TP02");
        record.setText(fpa::kPaymentMode, "MP05");
        customer.setText(cli::kName1, "COMUNE DI VERONA");
        customer.setText(cli::kAddress, "Piazza Bra 1");
        customer.setText(cli::kTown, "Verona");
        customer.setText(cli::kPostcode, "37121");
        customer.setText(cli::kVatNumber, "00215150236");
        vat.rateText[1] = "22";
        vat.rate[1] = 22;
        vat.rateText[2] = "10";
        vat.rate[2] = 10;
        for (int n = 1; n <= LineTable::kLines; ++n) {
            DocumentLine& l = lines[n];
            l.description = "Lampada LED E27 10W luce calda “" + std::to_string(n) + "” & più";
            l.unit = "NR";
            l.quantity = n % 7 + 1;
            l.unitPrice = 3.25 + n;
            l.discount1 = static_cast<std::int16_t>(n % 3 == 0 ? 10 : 0);
            l.discount2 = static_cast<std::int16_t>(n % 5 == 0 ? 5 : 0);
            l.vatCode = static_cast<std::int16_t>(n % 2 + 1);
        }
        figures = RecomputeDocument(lines, vat, false, money);
    }
    ~Document() { fs::remove_all(folder); }

    std::string compose(FpaFormat format = FpaFormat::V10) const {
        const FpaWriterInput d{record,
                               customer,
                               lines,
                               figures,
                               vat,
                               tables,
                               money,
                               {"05/01/2027"},
                               {figures.documentTotal}};
        return format == FpaFormat::V123 ? ComposeFpaV12(d).xml : ComposeFpaV10(d).xml;
    }
};

const Document& TheDocument() {
    static const Document d;
    return d;
}

// The writer: composed, checked and written under a temporary name, then renamed.
void WriteXml(const Document& d, FpaFormat format = FpaFormat::V10) {
    const std::string xml = d.compose(format);
    if (!WriteFileDurably(d.folder / "IT01234567897_15.xml", "IT01234567897_15.xml", xml))
        std::abort();
}

// The floor: the same bytes, line by line, through a buffered stream.
void WriteFloor(const Document& d, const std::string& bytes) {
    std::FILE* f = std::fopen((d.folder / "floor.xml").c_str(), "wb");
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = bytes.find('\n', at) + 1;
        std::fwrite(bytes.data() + at, 1, end - at, f);
        at = end;
    }
    if (std::fclose(f) != 0) std::abort();
}

void BM_FpaXml500Lines(benchmark::State& state) {
    const Document& d = TheDocument();
    for (auto _ : state) WriteXml(d);
}
BENCHMARK(BM_FpaXml500Lines)->Unit(benchmark::kMicrosecond);

void BM_FloorBufferedWrites(benchmark::State& state) {
    const Document& d = TheDocument();
    const std::string bytes = d.compose();
    for (auto _ : state) WriteFloor(d, bytes);
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_FloorBufferedWrites)->Unit(benchmark::kMicrosecond);

// Both in every iteration; `ratio` is the writer's time over the floor's.
void MeasureRatio(benchmark::State& state, FpaFormat format) {
    using Clock = std::chrono::steady_clock;
    const Document& d = TheDocument();
    const std::string bytes = d.compose(format);
    double writer = 0, floor = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        WriteXml(d, format);
        const auto t1 = Clock::now();
        WriteFloor(d, bytes);
        const auto t2 = Clock::now();
        writer += std::chrono::duration<double, std::micro>(t1 - t0).count();
        floor += std::chrono::duration<double, std::micro>(t2 - t1).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["writer_us"] = writer / n;
    state.counters["floor_us"] = floor / n;
    state.counters["ratio"] = writer / floor;
    state.counters["bytes"] = static_cast<double>(bytes.size());
}

void BM_FpaXmlRatio(benchmark::State& state) {
    MeasureRatio(state, FpaFormat::V10);
}
BENCHMARK(BM_FpaXmlRatio)->Unit(benchmark::kMicrosecond);

void BM_Fpa12XmlRatio(benchmark::State& state) {
    MeasureRatio(state, FpaFormat::V123);
}
BENCHMARK(BM_Fpa12XmlRatio)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qorvana

// Composing and writing the print image of a 500-line document, against writing the same
// bytes with plain buffered writes.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "print/document_print.h"
#include "print/print_image.h"

namespace qorvana {
namespace {

void Place(PrintSettings& s, int item, int x, int y, const char* size = "8") {
    char position[8];
    std::snprintf(position, sizeof position, "%03d%03d", x, y);
    s.layout[item].columns[0] = position;
    s.layout[item].columns[1] = size;
}

// The demo invoice's shape: 25 rows a page, nine columns, heading and totals.
PrintSettings Layout() {
    PrintSettings s;
    for (int item = 1; item <= 84; ++item) Place(s, item, 10 + item * 2, 20 + item);
    s.printLines[1] = "QORVANA DEMO S.R.L.";
    Place(s, 85, 120, 0);
    Place(s, 86, 145, 0);
    const int columns[] = {14, 38, 121, 123, 144, 171, 188, 191, 146};
    for (int c = 1; c <= 9; ++c) Place(s, 86 + c, columns[c - 1], 0);
    return s;
}

VatTable Rates() {
    VatTable vat;
    vat.rateText[1] = "22";
    return vat;
}

struct Fixture {
    PrintSettings settings = Layout();
    VatTable vat = Rates();
    LineTable lines;
    DocumentToPrint doc;
    Fixture() {
        for (int n = 1; n <= LineTable::kLines; ++n) {
            DocumentLine& l = lines[n];
            l.articleRecord = static_cast<std::int16_t>(n);
            l.code = "ART-" + std::to_string(n);
            l.description = "Articolo di prova numero " + std::to_string(n);
            l.unit = "PZ";
            l.quantity = n % 7 + 1;
            l.unitPrice = 10.5 + n;
            l.discount1 = static_cast<std::int16_t>(n % 3 * 5);
            l.vatCode = 1;
        }
        doc.lines = &lines;
        doc.figures = RecomputeDocument(lines, vat, false, Money());
        doc.entries.number = "15";
    }
};

double ApproximateWidth(const PrintText& t) {
    return 0.5 * t.size * static_cast<double>(t.text.size()) / 3;
}

const std::filesystem::path kImage = std::filesystem::temp_directory_path() / "qorvana-bench.rto";

void ComposeAndWrite(const Fixture& f) {
    const PrintedDocument pages =
        ComposeDocument(f.doc, f.settings, f.vat, {}, Money(), ApproximateWidth);
    if (!WritePrintImage(kImage, "c:\\qordoc.rto", pages)) std::abort();
}

void PlainWrite(const std::string& bytes) {
    std::FILE* out = std::fopen(kImage.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
}

void BM_ComposeAndWritePrintImage(benchmark::State& state) {
    const Fixture f;
    for (auto _ : state) ComposeAndWrite(f);
}
BENCHMARK(BM_ComposeAndWritePrintImage)->Unit(benchmark::kMillisecond);

// The parts of compose and write, to see where the time goes.
void BM_ComposeOnly(benchmark::State& state) {
    const Fixture f;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ComposeDocument(f.doc, f.settings, f.vat, {}, Money(), ApproximateWidth));
}
BENCHMARK(BM_ComposeOnly)->Unit(benchmark::kMillisecond);

void BM_ImageBytesOnly(benchmark::State& state) {
    const Fixture f;
    const PrintedDocument pages =
        ComposeDocument(f.doc, f.settings, f.vat, {}, Money(), ApproximateWidth);
    for (auto _ : state) benchmark::DoNotOptimize(PrintImageBytes(pages));
}
BENCHMARK(BM_ImageBytesOnly)->Unit(benchmark::kMillisecond);

void BM_PlainWriteFloor(benchmark::State& state) {
    const Fixture f;
    const std::string bytes =
        PrintImageBytes(ComposeDocument(f.doc, f.settings, f.vat, {}, Money(), ApproximateWidth));
    for (auto _ : state) PlainWrite(bytes);
}
BENCHMARK(BM_PlainWriteFloor)->Unit(benchmark::kMillisecond);

// Both in each iteration; reports the ratio compose-and-write / plain write.
void BM_PrintImageRatio(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    const Fixture f;
    const std::string bytes =
        PrintImageBytes(ComposeDocument(f.doc, f.settings, f.vat, {}, Money(), ApproximateWidth));
    double composed = 0;
    double plain = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        ComposeAndWrite(f);
        const auto t1 = Clock::now();
        PlainWrite(bytes);
        const auto t2 = Clock::now();
        composed += std::chrono::duration<double, std::milli>(t1 - t0).count();
        plain += std::chrono::duration<double, std::milli>(t2 - t1).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["compose_write_ms"] = composed / n;
    state.counters["plain_ms"] = plain / n;
    state.counters["ratio"] = composed / plain;
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_PrintImageRatio)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qorvana

// qorxpdf: rendering the print image of a 500-line document (20 pages) to a PDF, against a
// plain QPdfWriter loop drawing the same texts at the same places (the floor).

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/paths.h"
#include "print/print_image.h"
#include "tools/qorxpdf/pdf_renderer.h"

namespace {

using namespace qorvana;
namespace fs = std::filesystem;

constexpr int kLines = 500;
constexpr int kRowsPerPage = 25;

// A page as the invoice layout composes it: a frame, 30 header texts, 25 rows of 9 columns.
PrintedDocument FiveHundredLines() {
    PrintedDocument document;
    for (int p = 0; p < kLines / kRowsPerPage; ++p) {
        PrintPage page;
        page.ops.emplace_back(PrintShape{.kind = ShapeKind::Box,
                                         .x1 = 10,
                                         .y1 = 90,
                                         .x2 = 200,
                                         .y2 = 200,
                                         .thickness = 0.3,
                                         .colour = 0,
                                         .fill = -1});
        for (int k = 0; k < 30; ++k) {
            page.ops.emplace_back(PrintText{.x = 15.0 + (k % 3) * 60,
                                            .y = 20.0 + (k / 3) * 6,
                                            .size = 9,
                                            .colour = 0,
                                            .text = "Intestazione " + std::to_string(k),
                                            .font = "Arial",
                                            .bold = k == 0});
        }
        for (int r = 0; r < kRowsPerPage; ++r) {
            const int line = p * kRowsPerPage + r + 1;
            for (int c = 0; c < 9; ++c) {
                page.ops.emplace_back(
                    PrintText{.x = 12.0 + c * 21,
                              .y = 95.0 + r * 4,
                              .size = 8,
                              .colour = 0,
                              .text = c == 1 ? "Articolo di prova riga " + std::to_string(line)
                                             : std::to_string(line * (c + 1)) + ",00",
                              .font = "Arial"});
            }
        }
        document.push_back(std::move(page));
    }
    return document;
}

struct Fixture {
    fs::path dir;
    fs::path image;
    PrintedDocument document = FiveHundredLines();
    Fixture() {
        std::string pattern = (fs::temp_directory_path() / "qorxpdf-bench-XXXXXX").string();
        dir = ::mkdtemp(pattern.data());
        image = dir / "qordoc.rto";
        if (!WritePrintImage(image, "c:\\qordoc.rto", document)) std::abort();
    }
    ~Fixture() { fs::remove_all(dir); }
};

Fixture& TheFixture() {
    static Fixture fixture;
    return fixture;
}

// What qorxpdf does for one document: read the image, render, write the file.
void RenderThroughQorxpdf(const Fixture& f) {
    const auto image = ReadPrintImage(f.image, "c:\\qordoc.rto");
    QSaveFile out(QString::fromStdString((f.dir / "ftr1.pdf").string()));
    out.open(QIODevice::WriteOnly);
    const PathMapper paths(f.dir);
    const auto pictureFile = [&paths](const std::string& file) { return paths.map(file); };
    if (!qorxpdf::RenderPdf(*image, qorxpdf::PageSetup{}, pictureFile, &out)) std::abort();
    out.commit();
}

// The floor: the same texts drawn by a plain QPdfWriter loop, positions precomputed.
void RenderFloor(const Fixture& f) {
    QPdfWriter writer(QString::fromStdString((f.dir / "floor.pdf").string()));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    const double mm = writer.resolution() / 25.4;
    for (std::size_t p = 0; p < f.document.size(); ++p) {
        if (p > 0) writer.newPage();
        for (const PrintOp& op : f.document[p].ops) {
            if (const auto* t = std::get_if<PrintText>(&op)) {
                QFont font(QString::fromStdString(t->font));
                font.setPointSizeF(t->size);
                font.setBold(t->bold);
                painter.setFont(font);
                painter.drawText(QPointF(t->x * mm, t->y * mm), QString::fromStdString(t->text));
            } else if (const auto* s = std::get_if<PrintShape>(&op)) {
                painter.drawRect(
                    QRectF(s->x1 * mm, s->y1 * mm, (s->x2 - s->x1) * mm, (s->y2 - s->y1) * mm));
            }
        }
    }
}

double Milliseconds(void (*render)(const Fixture&)) {
    const auto start = std::chrono::steady_clock::now();
    render(TheFixture());
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void BM_QorxpdfRender(benchmark::State& state) {
    for (auto _ : state) RenderThroughQorxpdf(TheFixture());
}
BENCHMARK(BM_QorxpdfRender)->Unit(benchmark::kMillisecond);

void BM_QPdfWriterFloor(benchmark::State& state) {
    for (auto _ : state) RenderFloor(TheFixture());
}
BENCHMARK(BM_QPdfWriterFloor)->Unit(benchmark::kMillisecond);

void BM_QorxpdfRatio(benchmark::State& state) {
    double qorxpdf = 0;
    double floor = 0;
    for (auto _ : state) {
        qorxpdf += Milliseconds(RenderThroughQorxpdf);
        floor += Milliseconds(RenderFloor);
    }
    const double n = double(state.iterations());
    state.counters["qorxpdf_ms"] = qorxpdf / n;
    state.counters["floor_ms"] = floor / n;
    state.counters["ratio"] = qorxpdf / floor;
}
BENCHMARK(BM_QorxpdfRatio)->Unit(benchmark::kMillisecond);

// The whole program, start to exit, on the same image (process start and font set-up
// included).
void BM_QorxpdfProgram(benchmark::State& state) {
    const Fixture& f = TheFixture();
    const std::string command = std::string(QORXPDF_PROGRAM) + " --drive '" + f.dir.string() +
                                "' 'c:\\x.lxf,c:\\qordoc.rto,c:\\ftr2.pdf,***' 2>/dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("qorxpdf failed");
        fs::remove(f.dir / "ftr2.pdf");
    }
}
BENCHMARK(BM_QorxpdfProgram)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

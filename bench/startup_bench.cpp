// Start-up: the program's forms created and its start form shown on a demo company (the
// start-up work included: settings, tables, data files, the first customer), against a bare
// Qt window shown in the same run, which is the floor. Target: within 2x the floor.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QWidget>
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "app/create_forms.h"
#include "forms/common/form_names.h"
#include "forms/start/start_form.h"
#include "startup/session.h"
#include "tools/demo/demo_company.h"

namespace {

using namespace qorvana;
using Clock = std::chrono::steady_clock;

// A drive holding demo company 1, removed at exit.
class DemoDrive {
  public:
    DemoDrive() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "qorvana-startup-XXXXXX").string();
        drive_ = ::mkdtemp(pattern.data());
        demo::DemoOptions options;
        options.drive = drive_;
        demo::WriteDemoCompany(options);
    }
    ~DemoDrive() {
        std::error_code ec;
        std::filesystem::remove_all(drive_, ec);
    }
    const std::filesystem::path& path() const { return drive_; }

  private:
    std::filesystem::path drive_;
};

const DemoDrive& Drive() {
    static const DemoDrive drive;
    return drive;
}

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// The program's start: session, forms, start-up and the start form on the screen. With
// `everyForm`, every form is built before the start form shows, as when none was left for
// later.
double ShowStartForm(bool everyForm) {
    const auto begin = Clock::now();
    Session session;
    session.paths = PathMapper(Drive().path());
    FormSet forms;
    ProgramForms created = CreateForms(session, forms);
    if (everyForm)
        for (const char* name :
             {form_name::kCustomerList, form_name::kBody, form_name::kHeader,
              form_name::kDeliveryNotePicker, form_name::kReceiptPicker, form_name::kInvoicePicker,
              form_name::kQuotePicker, form_name::kRegistration})
            forms.form(QString(name));
    if (!created.start->load(1)) throw std::runtime_error("the demo company did not load");
    forms.show(QString(form_name::kStart));
    QApplication::processEvents();
    const double ms = Milliseconds(Clock::now() - begin);
    session.files.closeAll();
    return ms;
}

// The floor: a bare window of the same size shown.
double ShowBareWindow() {
    const auto begin = Clock::now();
    QWidget window;
    window.setWindowTitle(QStringLiteral("Qorvana"));
    window.resize(800, 600);
    window.show();
    QApplication::processEvents();
    return Milliseconds(Clock::now() - begin);
}

void BM_BareWindowFloor(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ShowBareWindow());
}
BENCHMARK(BM_BareWindowFloor)->Unit(benchmark::kMillisecond);

void BM_StartFormShown(benchmark::State& state) {
    Drive();
    for (auto _ : state) benchmark::DoNotOptimize(ShowStartForm(state.range(0) != 0));
}
BENCHMARK(BM_StartFormShown)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Both in every iteration: ratio = start form / bare window.
void BM_StartUpRatio(benchmark::State& state) {
    Drive();
    double start = 0;
    double bare = 0;
    for (auto _ : state) {
        start += ShowStartForm(false);
        bare += ShowBareWindow();
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["start_ms"] = start / n;
    state.counters["bare_ms"] = bare / n;
    state.counters["ratio"] = bare > 0 ? start / bare : 0;
}
BENCHMARK(BM_StartUpRatio)->Unit(benchmark::kMillisecond);

}  // namespace

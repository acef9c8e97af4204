// Start-up. The target: the program, started as a process on a demo company, shows its start
// form within 2x the time a process showing one bare Qt window takes, both measured in the
// same run. In-process, the start form's own work (session, forms, settings, tables, data
// files, the first customer) is measured alone as well, with the forms built on demand and
// with every form built first.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

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

void BM_StartFormShown(benchmark::State& state) {
    Drive();
    for (auto _ : state) benchmark::DoNotOptimize(ShowStartForm(state.range(0) != 0));
}
BENCHMARK(BM_StartFormShown)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A whole process run, from its start to its end, with its output thrown away: wall time
// and the CPU time the child used (user + system), in milliseconds.
struct ProcessRun {
    double wallMs = 0;
    double cpuMs = 0;
};

ProcessRun RunProcess(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto begin = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start " + arguments[0]);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(arguments[0] + " did not end well");
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return {Milliseconds(Clock::now() - begin), ms(usage.ru_utime) + ms(usage.ru_stime)};
}

// The program started on the demo company, its start form shown (the script's one step checks
// it is), and ended.
ProcessRun RunProgram() {
    static const std::string script = [] {
        const std::filesystem::path file = Drive().path() / "shown.qrs";
        std::ofstream(file) << "expect-visible qoremf\n";
        return file.string();
    }();
    return RunProcess({QORVANA_PROGRAM, "--drive", Drive().path().string(), "--company", "1",
                       "--now", "06/12/2026 10:00", "--replay", script});
}

// The floor: a process that shows one bare window of the start form's size.
ProcessRun RunBareWindow() {
    return RunProcess({BARE_WINDOW_PROGRAM});
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Both started as processes in every iteration: ratio = program / bare window, on the medians
// of the wall times and of the CPU times each process used (the median, because other work on
// the machine makes single runs slow).
void BM_ProcessStartUpRatio(benchmark::State& state) {
    Drive();
    std::vector<double> programWall, programCpu, bareWall, bareCpu;
    for (auto _ : state) {
        const ProcessRun p = RunProgram();
        const ProcessRun b = RunBareWindow();
        programWall.push_back(p.wallMs);
        programCpu.push_back(p.cpuMs);
        bareWall.push_back(b.wallMs);
        bareCpu.push_back(b.cpuMs);
    }
    state.counters["program_ms"] = Median(programWall);
    state.counters["bare_ms"] = Median(bareWall);
    state.counters["ratio"] = Median(programWall) / Median(bareWall);
    state.counters["program_cpu_ms"] = Median(programCpu);
    state.counters["bare_cpu_ms"] = Median(bareCpu);
    state.counters["cpu_ratio"] = Median(programCpu) / Median(bareCpu);
}
BENCHMARK(BM_ProcessStartUpRatio)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

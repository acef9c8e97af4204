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
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/create_forms.h"
#include "core/session.h"
#include "forms/common/form_names.h"
#include "forms/start/start_form.h"
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

// One process run. `shownMs`: from its start until it writes its first line, which both
// programs write once their window is drawn. `endedMs`: until it has ended. `cpuMs`: the CPU
// time it used in all (user + system), its ending included.
struct ProcessRun {
    double shownMs = 0;
    double endedMs = 0;
    double cpuMs = 0;
};

ProcessRun RunProcess(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("no pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto begin = Clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) throw std::runtime_error("cannot start " + arguments[0]);
    ProcessRun run;
    char buffer[512];
    ssize_t n = 0;
    while ((n = ::read(out[0], buffer, sizeof buffer)) > 0)
        if (run.shownMs == 0 && std::memchr(buffer, '\n', static_cast<std::size_t>(n)))
            run.shownMs = Milliseconds(Clock::now() - begin);
    ::close(out[0]);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        run.shownMs == 0)
        throw std::runtime_error(arguments[0] + " did not show its window and end well");
    run.endedMs = Milliseconds(Clock::now() - begin);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    run.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    return run;
}

// The program started on the demo company as an operator starts it: once the start form is
// drawn it writes "shown" (--check-start) and ends.
ProcessRun RunProgram() {
    return RunProcess({QORVANA_PROGRAM, "--drive", Drive().path().string(), "--company", "1",
                       "--now", "06/12/2026 10:00", "--check-start"});
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

// Both started as processes in every iteration. `ratio` (the target) = program / bare window
// on the medians of the times until the window is drawn; `ended_ratio` and `cpu_ratio` on the
// whole runs. Medians, because other work on the machine makes single runs slow.
void BM_ProcessStartUpRatio(benchmark::State& state) {
    Drive();
    std::vector<double> shown[2], ended[2], cpu[2];
    for (auto _ : state) {
        const ProcessRun runs[2] = {RunProgram(), RunBareWindow()};
        for (int i = 0; i < 2; ++i) {
            shown[i].push_back(runs[i].shownMs);
            ended[i].push_back(runs[i].endedMs);
            cpu[i].push_back(runs[i].cpuMs);
        }
    }
    state.counters["program_ms"] = Median(shown[0]);
    state.counters["bare_ms"] = Median(shown[1]);
    state.counters["ratio"] = Median(shown[0]) / Median(shown[1]);
    state.counters["ended_ratio"] = Median(ended[0]) / Median(ended[1]);
    state.counters["cpu_ratio"] = Median(cpu[0]) / Median(cpu[1]);
}
BENCHMARK(BM_ProcessStartUpRatio)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

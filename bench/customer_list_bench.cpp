// The start form's work on a full company (32,767 customers): filling the customer list
// (qorsel activation: every index entry and customer read, filtered, put in the grid model)
// against a plain positioned-read loop over the same two files and against a bulk read of
// them; a keystroke in the name box (its suggestions) and in the list's search box against the
// same bulk read; and a name search of the index.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/create_forms.h"
#include "bench/bulk_floor.h"
#include "core/counters_record.h"
#include "core/session.h"
#include "customers/customer_index.h"
#include "customers/customer_record.h"
#include "customers/name_index_record.h"

namespace {

using namespace qorvana;

constexpr int kCustomers = kMaxCountedRecords;

template <typename R>
void Append(std::ofstream& out, const R& r) {
    out.write(reinterpret_cast<const char*>(r.bytes().data()), std::streamsize(r.bytes().size()));
}

// A drive with company 1 holding a full customer file and its name index, removed at exit.
class FullCompany {
  public:
    FullCompany() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "qorvana-bench-XXXXXX").string();
        drive_ = ::mkdtemp(pattern.data());
        folder_ = drive_ / "qorwin/qorwin/qoraz0.001";
        std::filesystem::create_directories(folder_);
        std::ofstream cliFile(folder_ / "qorvana.cli", std::ios::binary);
        std::ofstream srcFile(folder_ / "qorvana.src", std::ios::binary);
        // Record n is named so that name order equals record order.
        for (int n = 1; n <= kCustomers; ++n) {
            char name[40];
            std::snprintf(name, sizeof name, "CLIENTE %05d ORDINARIO", n);
            CustomerRecord c;
            for (auto& b : c.bytes()) b = ' ';
            c.setText(cli::kName1, name);
            c.setText(cli::kName2, "SEDE DI FORLÌ");
            c.setText(cli::kAddress, "VIA ROMA 1");
            c.setText(cli::kTown, "FORLÌ");
            c.setText(cli::kVatNumber, "01234567890");
            c.setInt16(cli::kDeleted, 0);
            Append(cliFile, c);
            NameIndexRecord e;
            e.setText(src::kKey, name);
            e.setInt16(src::kCustomer, static_cast<std::int16_t>(n));
            Append(srcFile, e);
        }
        CountersRecord counters;
        counters.setInt16(tot::kRecordCount, kCustomers);
        std::ofstream totFile(folder_ / "qorvana.tot", std::ios::binary);
        for (int r = 1; r <= 20; ++r) Append(totFile, r == 1 ? counters : CountersRecord{});
    }
    ~FullCompany() {
        std::error_code ec;
        std::filesystem::remove_all(drive_, ec);
    }
    const std::filesystem::path& drive() const { return drive_; }
    const std::filesystem::path& folder() const { return folder_; }

  private:
    std::filesystem::path drive_;
    std::filesystem::path folder_;
};

const FullCompany& Company() {
    static const FullCompany company;
    return company;
}

// Floor: read every index entry and the customer it points to with pread, nothing else.
void BM_ReadLoopFloor(benchmark::State& state) {
    const int src = ::open((Company().folder() / "qorvana.src").c_str(), O_RDONLY);
    const int cli = ::open((Company().folder() / "qorvana.cli").c_str(), O_RDONLY);
    std::uint8_t entry[src::kLength];
    std::uint8_t customer[cli::kLength];
    for (auto _ : state) {
        long sum = 0;
        for (int n = 1; n <= kCustomers; ++n) {
            if (::pread(src, entry, sizeof entry, off_t(n - 1) * src::kLength) < 0) break;
            std::int16_t record;
            std::memcpy(&record, entry + 40, 2);
            if (::pread(cli, customer, sizeof customer, off_t(record - 1) * cli::kLength) < 0)
                break;
            sum += customer[0];
        }
        benchmark::DoNotOptimize(sum);
    }
    ::close(src);
    ::close(cli);
}
BENCHMARK(BM_ReadLoopFloor)->Unit(benchmark::kMillisecond);

struct Program {
    Session session;
    FormSet forms;
    ProgramForms created;
    Program() {
        session.paths = PathMapper(Company().drive());
        session.companyNumber = 1;
        session.files.open(Company().folder());
        created = CreateForms(session, forms);
    }
};

// The customer list opened with an empty filter: the grid holds every customer.
void BM_CustomerListOpen(benchmark::State& state) {
    Program program;
    QorForm* list = program.forms.form(QStringLiteral("qorsel"));
    auto* filter = qobject_cast<QLineEdit*>(list->control(QStringLiteral("selnome")));
    for (auto _ : state) {
        filter->setText(QString());
        program.forms.show(QStringLiteral("qorsel"));
        QApplication::processEvents();
        state.PauseTiming();
        list->hide();
        state.ResumeTiming();
    }
    state.counters["rows"] = program.session.rowCount;
}
BENCHMARK(BM_CustomerListOpen)->Unit(benchmark::kMillisecond);

// The list filtered by a text that every name contains somewhere but none begins with.
void BM_CustomerListFiltered(benchmark::State& state) {
    Program program;
    QorForm* list = program.forms.form(QStringLiteral("qorsel"));
    auto* filter = qobject_cast<QLineEdit*>(list->control(QStringLiteral("selnome")));
    for (auto _ : state) {
        filter->setText(QStringLiteral("ordinario"));
        program.forms.show(QStringLiteral("qorsel"));
        QApplication::processEvents();
        state.PauseTiming();
        list->hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CustomerListFiltered)->Unit(benchmark::kMillisecond);

// The list shown (empty filter: 0, filter "ordinario": 1) and, in the same iteration, the
// floor: the index and the customer file read in bulk (24.6 MB). The target ratio.
void BM_CustomerListBulkRatio(benchmark::State& state) {
    Program program;
    QorForm* list = program.forms.form(QStringLiteral("qorsel"));
    auto* filter = qobject_cast<QLineEdit*>(list->control(QStringLiteral("selnome")));
    const QString text = state.range(0) ? QStringLiteral("ordinario") : QString();
    const int src = ::open((Company().folder() / "qorvana.src").c_str(), O_RDONLY);
    const int cli = ::open((Company().folder() / "qorvana.cli").c_str(), O_RDONLY);
    qorvana::bench::PairedTimes times;
    for (auto _ : state) {
        times.time(
            [&] {
                filter->setText(text);
                program.forms.show(QStringLiteral("qorsel"));
                QApplication::processEvents();
            },
            [&] {
                long sum = qorvana::bench::BulkRead(src, std::size_t{kCustomers} * src::kLength);
                sum += qorvana::bench::BulkRead(cli, std::size_t{kCustomers} * cli::kLength);
                benchmark::DoNotOptimize(sum);
            });
        state.PauseTiming();
        list->hide();
        state.ResumeTiming();
    }
    ::close(src);
    ::close(cli);
    times.report(state, "list", "bulk");
}
BENCHMARK(BM_CustomerListBulkRatio)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The list's rows alone (CustomerIndex::list, empty filter) against the same bulk read.
void BM_CustomerRowsBulkRatio(benchmark::State& state) {
    DataFiles files;
    files.open(Company().folder());
    const CustomerIndex index(files);
    const int src = ::open((Company().folder() / "qorvana.src").c_str(), O_RDONLY);
    const int cli = ::open((Company().folder() / "qorvana.cli").c_str(), O_RDONLY);
    qorvana::bench::PairedTimes times;
    for (auto _ : state)
        times.time([&] { benchmark::DoNotOptimize(index.list("").size()); },
                   [&] {
                       long sum =
                           qorvana::bench::BulkRead(src, std::size_t{kCustomers} * src::kLength);
                       sum += qorvana::bench::BulkRead(cli, std::size_t{kCustomers} * cli::kLength);
                       benchmark::DoNotOptimize(sum);
                   });
    ::close(src);
    ::close(cli);
    times.report(state, "rows", "bulk");
}
BENCHMARK(BM_CustomerRowsBulkRatio)->Unit(benchmark::kMillisecond);

// The index and the customer file read in bulk (24.6 MB): the floor of the keystrokes below.
long BulkReadCustomers(int src, int cli) {
    return qorvana::bench::BulkRead(src, std::size_t{kCustomers} * src::kLength) +
           qorvana::bench::BulkRead(cli, std::size_t{kCustomers} * cli::kLength);
}

// One keystroke, as the operator types: sent to `box`, then every event it causes handled (the
// window drawn included).
void Keystroke(QWidget* box, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(box, &release);
    QApplication::processEvents();
}

void TypeZ(QWidget* box) {
    Keystroke(box, Qt::Key_Z, QStringLiteral("z"));
}
void Backspace(QWidget* box) {
    Keystroke(box, Qt::Key_Backspace, QStringLiteral("\b"));
}

// A keystroke in the start form's name box: the suggestions of the full company, against the
// bulk read in the same iteration. /0: the first letter of a search, which reads every
// customer; /1: a further letter, narrowed from the customers read. The text is held by no
// customer, so that every one is looked at. Target: every keystroke within 30 ms.
void BM_SuggestionKeystrokeBulkRatio(benchmark::State& state) {
    Program program;
    QorForm* start = program.forms.form(QStringLiteral("qoremf"));
    auto* nome = qobject_cast<QLineEdit*>(start->control(QStringLiteral("nome")));
    start->show();
    nome->setFocus();
    const bool further = state.range(0) == 1;
    if (further) TypeZ(nome);
    const int src = ::open((Company().folder() / "qorvana.src").c_str(), O_RDONLY);
    const int cli = ::open((Company().folder() / "qorvana.cli").c_str(), O_RDONLY);
    qorvana::bench::PairedTimes times;
    for (auto _ : state) {
        times.time([&] { TypeZ(nome); },
                   [&] { benchmark::DoNotOptimize(BulkReadCustomers(src, cli)); });
        state.PauseTiming();
        Backspace(nome);  // the first letter: the box empty, the search ended
        state.ResumeTiming();
    }
    ::close(src);
    ::close(cli);
    times.report(state, "keystroke", "bulk");
}
BENCHMARK(BM_SuggestionKeystrokeBulkRatio)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A keystroke in the customer list's search box, the list holding every customer: the rows
// narrowed by a text no customer holds, against the same bulk read. Target: within 30 ms.
void BM_ListSearchKeystrokeBulkRatio(benchmark::State& state) {
    Program program;
    QorForm* list = program.forms.form(QStringLiteral("qorsel"));
    auto* filter = qobject_cast<QLineEdit*>(list->control(QStringLiteral("selnome")));
    auto* search = qobject_cast<QLineEdit*>(list->control(QStringLiteral("ricerca")));
    filter->setText(QString());
    program.forms.show(QStringLiteral("qorsel"));
    QApplication::processEvents();
    search->setFocus();
    const int src = ::open((Company().folder() / "qorvana.src").c_str(), O_RDONLY);
    const int cli = ::open((Company().folder() / "qorvana.cli").c_str(), O_RDONLY);
    qorvana::bench::PairedTimes times;
    for (auto _ : state) {
        times.time([&] { TypeZ(search); },
                   [&] { benchmark::DoNotOptimize(BulkReadCustomers(src, cli)); });
        state.PauseTiming();
        Backspace(search);  // every customer listed again
        state.ResumeTiming();
    }
    ::close(src);
    ::close(cli);
    times.report(state, "keystroke", "bulk");
}
BENCHMARK(BM_ListSearchKeystrokeBulkRatio)->Unit(benchmark::kMillisecond);

// A name search by binary search of the index (about 15 probes).
void BM_NameSearch(benchmark::State& state) {
    DataFiles files;
    files.open(Company().folder());
    const CustomerIndex index(files);
    int n = 0;
    for (auto _ : state) {
        const std::string key = "cliente " + std::to_string(1 + (n++ * 7919) % kCustomers);
        benchmark::DoNotOptimize(index.findByName(key));
    }
}
BENCHMARK(BM_NameSearch)->Unit(benchmark::kMicrosecond);

}  // namespace

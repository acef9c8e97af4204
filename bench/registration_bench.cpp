// The registration on a company with 5,000 accounts: filling and showing the form qorxord
// (the account list read and put in List1), and registering a ten-line entry with the files
// made durable, against the floor of plain pwrite + fdatasync of the same records.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/create_forms.h"
#include "core/counters_record.h"
#include "core/session.h"
#include "forms/common/form_names.h"
#include "forms/registration/registration_form.h"
#include "journal/account_record.h"
#include "journal/journal_posting.h"
#include "journal/journal_record.h"

namespace {

using namespace qorvana;

constexpr int kAccounts = 5000;

std::string CodeOf(int n) {
    char code[32];
    std::snprintf(code, sizeof code, "%02d%02d%04d", 1 + n / 1000, 1 + (n / 100) % 10, n % 100 + 1);
    return code;
}

// A drive with company 1: counters, 5,000 accounts, an empty journal; removed at exit.
class AccountsCompany {
  public:
    AccountsCompany() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "qorvana-bench-XXXXXX").string();
        drive_ = ::mkdtemp(pattern.data());
        folder_ = drive_ / "qorwin/qorwin/qoraz0.001";
        std::filesystem::create_directories(folder_);
        std::ofstream con(folder_ / "qorvana.con", std::ios::binary);
        for (int n = 0; n < kAccounts; ++n) {
            AccountRecord a;
            a.setText(con::kCode, CodeOf(n));
            a.setText(con::kName, "CONTO DI PROVA NUMERO " + std::to_string(n + 1));
            con.write(reinterpret_cast<const char*>(a.bytes().data()), con::kLength);
        }
        reset();
    }
    ~AccountsCompany() {
        std::error_code ec;
        std::filesystem::remove_all(drive_, ec);
    }
    // Counters with the accounts counted and no journal entry; the journal emptied.
    void reset() const {
        std::ofstream tot(folder_ / "qorvana.tot", std::ios::binary | std::ios::trunc);
        for (int r = 1; r <= 20; ++r) {
            CountersRecord c;
            if (r == tot::kAccounts) c.setInt16(tot::kRecordCount, kAccounts);
            tot.write(reinterpret_cast<const char*>(c.bytes().data()), tot::kLength);
        }
        std::ofstream(folder_ / "qorvana.gio", std::ios::binary | std::ios::trunc);
        std::ofstream(folder_ / "qorvana.gfl", std::ios::binary | std::ios::trunc);
    }
    const std::filesystem::path& drive() const { return drive_; }
    const std::filesystem::path& folder() const { return folder_; }

  private:
    std::filesystem::path drive_;
    std::filesystem::path folder_;
};

const AccountsCompany& Company() {
    static const AccountsCompany company;
    return company;
}

// Ten lines on accounts spread over the file, balanced.
JournalEntry TenLines() {
    JournalEntry e;
    e.date = "05/03/2025";
    e.description = "Fattura n. 15 del 05/03/2025 - ALFA SRL";
    for (int k = 0; k < JournalEntry::kLines; ++k) {
        e.lines[static_cast<std::size_t>(k)].code = CodeOf(k * 499);
        (k == 0 ? e.lines[0].dare : e.lines[static_cast<std::size_t>(k)].avere) =
            k == 0 ? 900 : 100;
    }
    return e;
}

LineAccounts TenAccounts() {
    LineAccounts accounts{};
    for (int k = 0; k < JournalEntry::kLines; ++k)
        accounts[static_cast<std::size_t>(k)] = k * 499 + 1;
    return accounts;
}

void BM_RegistrationFormFill(benchmark::State& state) {
    Session session;
    session.paths = PathMapper(Company().drive());
    session.companyNumber = 1;
    session.files.open(Company().folder());
    FormSet forms;
    ProgramForms created = CreateForms(session, forms);
    auto* form = forms.get<RegistrationForm>(QString(form_name::kRegistration));
    const JournalEntry entry = TenLines();
    for (auto _ : state) {
        form->propose(entry, 45721.5);
        forms.show(QString(form_name::kRegistration));
        QApplication::processEvents();
        state.PauseTiming();
        form->hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RegistrationFormFill)->Unit(benchmark::kMillisecond);

// The account list alone: 5,000 records read and their List1 items written.
void BM_AccountListLoad(benchmark::State& state) {
    DataFiles files;
    files.open(Company().folder());
    for (auto _ : state) benchmark::DoNotOptimize(AccountList::Load(files).size());
}
BENCHMARK(BM_AccountListLoad)->Unit(benchmark::kMillisecond);

double PostOnce() {
    DataFiles files;
    files.open(Company().folder());
    const auto start = std::chrono::steady_clock::now();
    const Result<int> r = PostJournalEntry(files, TenLines(), TenAccounts(), 45721.5);
    const auto end = std::chrono::steady_clock::now();
    if (!r.ok()) std::fprintf(stderr, "%s\n", r.message().c_str());
    return std::chrono::duration<double, std::milli>(end - start).count();
}

// The floor: the same reads and writes (each account read and rewritten, the counter, the
// journal record) with plain pread/pwrite, then the three files flushed together.
double FloorOnce(int record) {
    const auto path = [](const char* ext) {
        return Company().folder() / (std::string("qorvana.") + ext);
    };
    const int con = ::open(path("con").c_str(), O_RDWR);
    const int tot = ::open(path("tot").c_str(), O_RDWR);
    // A journal file of its own, growing as the real one does.
    const int gio = ::open(path("gfl").c_str(), O_RDWR | O_CREAT, 0666);
    std::vector<std::uint8_t> bytes(gio::kLength, ' ');
    const auto start = std::chrono::steady_clock::now();
    for (int n : TenAccounts()) {
        const off_t at = off_t(n - 1) * con::kLength;
        if (::pread(con, bytes.data(), con::kLength, at) < 0) break;
        if (::pwrite(con, bytes.data(), con::kLength, at) < 0) break;
    }
    if (::pwrite(tot, bytes.data(), tot::kLength, off_t(13) * tot::kLength) < 0) return 0;
    if (::pwrite(gio, bytes.data(), gio::kLength, off_t(record - 1) * gio::kLength) < 0) return 0;
    {
        std::jthread a([con] { ::fdatasync(con); });
        std::jthread b([tot] { ::fdatasync(tot); });
        ::fdatasync(gio);
    }
    const auto end = std::chrono::steady_clock::now();
    for (int fd : {con, tot, gio}) ::close(fd);
    return std::chrono::duration<double, std::milli>(end - start).count();
}

// Both in every iteration, on a journal of the same length: the ratio is the target.
void BM_JournalPostingRatio(benchmark::State& state) {
    double posting = 0;
    double floor = 0;
    int record = 0;
    Company().reset();
    for (auto _ : state) {
        posting += PostOnce();
        floor += FloorOnce(++record);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["posting_ms"] = posting / n;
    state.counters["floor_ms"] = floor / n;
    state.counters["ratio"] = posting / floor;
}
BENCHMARK(BM_JournalPostingRatio)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(40);

}  // namespace

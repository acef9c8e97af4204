#include "journal/journal_posting.h"

#include <cmath>
#include <optional>
#include <vector>

#include "core/civil_date.h"
#include "core/counters.h"
#include "core/counters_record.h"
#include "core/data_files.h"
#include "core/intent_log.h"
#include "core/money.h"
#include "core/text.h"
#include "core/write_set.h"
#include "journal/account_record.h"
#include "journal/journal_record.h"

namespace qorvana {
namespace {

constexpr char kNothingWritten[] = ": la registrazione non è stata eseguita.";

// An amount the journal and the accounts record alike: finite and not negative.
bool IsPostableAmount(double amount) {
    return std::isfinite(amount) && amount >= 0;
}

// A journal record no entry uses: zero bytes (past the end, or never written) or blanks.
bool IsEmptyRecord(const JournalRecord& r) {
    for (auto b : r.bytes())
        if (b != 0 && b != ' ') return false;
    return true;
}

// Everything the registration writes, prepared and checked before the first write.
struct Prepared {
    std::vector<int> lines;  // the posted lines, in order
    int recordNumber = 0;
    CountersRecord counter;
    JournalRecord journal;
};

std::string FileName(const DataFiles& files, int channel) {
    return files.pathOf(channel).filename().string();
}

Status CheckFiles(const DataFiles& files) {
    for (int channel : {int(kTot), int(kCon), int(kGio)})
        if (!files.isWritable(channel))
            return Failure{"Il file " + FileName(files, channel) + " non è aperto in scrittura" +
                           kNothingWritten};
    return {};
}

Status PlanLines(const DataFiles& files, const JournalEntry& entry, const LineAccounts& accounts,
                 Prepared& plan) {
    const int count = std::min(RecordCount(files, tot::kAccounts), files.physicalRecords(kCon));
    for (int k = 0; k < JournalEntry::kLines; ++k) {
        const int record = accounts[static_cast<std::size_t>(k)];
        if (record == 0) continue;
        const EntryLine& line = entry.lines[static_cast<std::size_t>(k)];
        if (record < 0 || record > count)
            return Failure{"Il conto della riga " + std::to_string(k + 1) +
                           " non è nel piano dei conti" + kNothingWritten};
        if (!IsPostableAmount(line.dare) || !IsPostableAmount(line.avere) ||
            !std::isfinite(line.dare + line.avere))
            return Failure{"Importo non valido alla riga " + std::to_string(k + 1) +
                           kNothingWritten};
        plan.lines.push_back(k);
    }
    return {};
}

Status PlanJournal(const DataFiles& files, const JournalEntry& entry, const LineAccounts& accounts,
                   double postedAt, Prepared& plan) {
    const auto next = NextRecordNumber(files, tot::kJournal);
    if (!next)
        return Failure{"Il contatore del giornale è pieno o danneggiato (qorvana.tot, record 13)" +
                       std::string(kNothingWritten)};
    plan.recordNumber = *next;
    plan.journal = files.read<JournalFile>(plan.recordNumber);
    if (!IsEmptyRecord(plan.journal))
        return Failure{"Il giornale contiene già una registrazione al numero " +
                       std::to_string(plan.recordNumber) +
                       ": il contatore (qorvana.tot, record 13) è indietro rispetto al file" +
                       kNothingWritten};
    if (!files.hasRoomFor(kGio, plan.recordNumber))
        return Failure{"Spazio su disco insufficiente per il giornale (" + FileName(files, kGio) +
                       ")" + kNothingWritten};
    plan.counter = files.read<CountersFile>(tot::kJournal);
    plan.counter.setInt16(tot::kRecordCount, static_cast<std::int16_t>(plan.recordNumber));
    plan.counter.setInt16(tot::kWrittenMark, 1);

    JournalRecord& r = plan.journal;
    r.blankTexts(gio::kFields);  // a new record: the carried text too, as the suite pads it
    r.setText(gio::kDate, CivilDate::RecordFromShown(entry.date));
    r.setText(gio::kDescription, entry.description);
    r.setInt16(gio::kZero48, 0);
    r.setText(gio::kReference, entry.reference);
    r.setDouble(gio::kPostedAt, postedAt);
    r.setText(gio::kMark, "1");
    r.setInt16(gio::kZero294, 0);
    for (int k = 0; k < JournalEntry::kLines; ++k) {
        const EntryLine& line = entry.lines[static_cast<std::size_t>(k)];
        const bool posted = accounts[static_cast<std::size_t>(k)] > 0;
        r.setInt16(gio::Side(k), static_cast<std::int16_t>(posted && !(line.dare > 0) ? 1 : 0));
        r.setText(gio::Account(k), posted ? line.code : "");
        r.setDouble(gio::Amount(k), posted ? line.dare + line.avere : 0);
    }
    return {};
}

}  // namespace

double EntryImbalance(const JournalEntry& entry, const Money& money) {
    double sum = 0;
    for (const EntryLine& line : entry.lines) sum += line.dare - line.avere;
    return money.RoundAmount(sum);
}

EntryCheck CheckEntry(const JournalEntry& entry, const AccountList& accounts) {
    EntryCheck check;
    if (CivilDate::RecordFromShown(entry.date).empty()) {
        check.problem = EntryProblem::Date;
        check.message = "La data del movimento non è valida";
        return check;
    }
    for (int k = 0; k < JournalEntry::kLines; ++k) {
        const EntryLine& line = entry.lines[static_cast<std::size_t>(k)];
        if (!line.hasAmount()) continue;
        const AccountEntry* account = accounts.find(line.code);
        if (!account) {
            check.problem = EntryProblem::Accounts;
            check.message = "Uno o più conti selezionati non esistono";
            check.accounts = {};
            return check;
        }
        check.accounts[static_cast<std::size_t>(k)] = account->record;
    }
    for (int k = 0; k < JournalEntry::kLines; ++k) {
        const EntryLine& line = entry.lines[static_cast<std::size_t>(k)];
        if (!(line.dare < 0 || line.avere < 0)) continue;
        check.problem = EntryProblem::NegativeAmount;
        check.line = k;
        check.inAvere = !(line.dare < 0);
        check.message = "L'importo della riga " + std::to_string(k + 1) +
                        " è negativo: indicare l'importo positivo nell'altra colonna";
        check.accounts = {};
        return check;
    }
    return check;
}

Result<int> PostJournalEntry(DataFiles& files, const JournalEntry& entry,
                             const LineAccounts& accounts, double postedAt) {
    Prepared prepared;
    WriteSet set(files);
    try {
        Status planned = CheckFiles(files);
        if (planned) planned = PlanLines(files, entry, accounts, prepared);
        if (planned) planned = PlanJournal(files, entry, accounts, postedAt, prepared);
        if (!planned) return *planned.failure();
        // Each account is read as the writes are added, just before they are applied: other
        // programs share the file.
        for (int k : prepared.lines) {
            const EntryLine& line = entry.lines[static_cast<std::size_t>(k)];
            const int record = accounts[static_cast<std::size_t>(k)];
            set.step("conto " + line.code + " della riga " + std::to_string(k + 1) +
                     " (qorvana.con)");
            auto a = set.read<AccountsFile>(record);
            a.setDouble(con::kDebit, a.dbl(con::kDebit) + line.dare);
            a.setDouble(con::kCredit, a.dbl(con::kCredit) + line.avere);
            set.write<AccountsFile>(record, a);
        }
    } catch (const RecordIoError& e) {
        return Failure{std::string("Errore di lettura dei dati (") + e.what() + ")" +
                       kNothingWritten};
    }
    set.step("contatore del giornale (qorvana.tot, record 13)");
    set.write<CountersFile>(tot::kJournal, prepared.counter);
    set.step("registrazione " + std::to_string(prepared.recordNumber) +
             " del giornale (qorvana.gio)");
    set.write<JournalFile>(prepared.recordNumber, prepared.journal);
    set.step("scrittura definitiva su disco");
    set.flush();

    const std::string what = "La registrazione contabile n. " +
                             std::to_string(prepared.recordNumber) + " del " + Trim(entry.date) +
                             " (" + Trim(entry.description) + ")";
    const std::filesystem::path folder = files.pathOf(kGio).parent_path();
    if (const Status applied = ApplyWithIntent(set, folder, what); !applied)
        return *applied.failure();
    return prepared.recordNumber;
}

}  // namespace qorvana

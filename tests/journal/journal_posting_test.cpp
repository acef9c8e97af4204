#include "journal/journal_posting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "core/counters_record.h"
#include "core/data_files.h"
#include "core/intent_log.h"
#include "core/money.h"
#include "core/write_hook.h"
#include "journal/account_record.h"
#include "journal/journal_record.h"
#include "tests/temp_dir.h"

namespace qorvana {
namespace {

constexpr double kPostedAt = 45721.5;  // 05/03/2025 12:00

// A company with counters and five accounts 01020001, 01020002, 05010001, 03020001, 05010002.
class JournalPostingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_.write("qorvana.tot", std::string(20 * tot::kLength, '\0'));
        files_.open(dir_.path());
        const char* codes[] = {"01020001", "01020002", "05010001", "03020001", "05010002"};
        for (int n = 1; n <= 5; ++n) {
            AccountRecord a;
            a.setText(con::kCode, codes[n - 1]);
            a.setText(con::kName, std::string("Conto ") + codes[n - 1]);
            a.setDouble(con::kDebit, 100);
            a.setDouble(con::kCredit, 50);
            a.bytes()[149] = 0x7F;  // a carried byte
            files_.write<AccountsFile>(n, a);
        }
        setCounter(tot::kAccounts, 5);
        accounts_ = AccountList::Load(files_);
    }

    void setCounter(int record, int count) {
        CountersRecord c = files_.read<CountersFile>(record);
        c.setInt16(tot::kRecordCount, static_cast<std::int16_t>(count));
        files_.write<CountersFile>(record, c);
    }
    int counter(int record) const {
        return files_.read<CountersFile>(record).int16(tot::kRecordCount);
    }
    AccountRecord account(int n) const { return files_.read<AccountsFile>(n); }
    JournalRecord journal(int n) const { return files_.read<JournalFile>(n); }

    static JournalEntry Entry(std::vector<EntryLine> lines) {
        JournalEntry e;
        e.date = "05/03/2025";
        e.description = "Fattura n. 15 del 05/03/2025 - ALFA SRL";
        e.reference = "FT 15";
        for (std::size_t k = 0; k < lines.size(); ++k) e.lines[k] = lines[k];
        return e;
    }
    Result<int> post(const JournalEntry& e) {
        const EntryCheck check = CheckEntry(e, accounts_);
        EXPECT_EQ(check.problem, EntryProblem::None) << check.message;
        return PostJournalEntry(files_, e, check.accounts, kPostedAt);
    }
    std::map<std::string, std::string> snapshot() const {
        return {{"tot", dir_.read("qorvana.tot")},
                {"con", dir_.read("qorvana.con")},
                {"gio", dir_.read("qorvana.gio")}};
    }

    testing::TempDir dir_;
    DataFiles files_;
    AccountList accounts_;
};

TEST_F(JournalPostingTest, AppendsAfterTheLastEntryAndLaterSlotsStayEmpty) {
    for (int n = 1; n <= 41; ++n) {
        JournalRecord g;
        g.setText(gio::kDate, "20250101");
        files_.write<JournalFile>(n, g);
    }
    setCounter(tot::kJournal, 41);
    const JournalEntry both =
        Entry({{"01020002", 10, 5}, {"05010001", 0, 3}, {"03020001", 0, 2}, {"05010002", 0, 0}});
    ASSERT_TRUE(post(both).ok());
    const Result<int> second = post(Entry({{"01020001", 7, 0}}));
    ASSERT_TRUE(second.ok()) << second.message();
    EXPECT_EQ(*second, 43);
    EXPECT_EQ(counter(tot::kJournal), 43);

    const JournalRecord first = journal(42);
    EXPECT_EQ(first.int16(gio::Side(0)), 0);  // both columns: side 0 and their sum
    EXPECT_DOUBLE_EQ(first.dbl(gio::Amount(0)), 15);
    EXPECT_DOUBLE_EQ(account(2).dbl(con::kDebit), 110);
    EXPECT_DOUBLE_EQ(account(2).dbl(con::kCredit), 55);
    EXPECT_EQ(account(2).bytes()[149], 0x7F);            // carried byte kept
    EXPECT_DOUBLE_EQ(account(5).dbl(con::kDebit), 100);  // a line without amounts
    EXPECT_EQ(journal(43).text(gio::Account(1)), "");    // the slots after the entry's lines
    const JournalRecord last = journal(43);
    const auto carried = last.bytes().subspan(263, 31);  // blank-padded, as texts are
    EXPECT_TRUE(std::all_of(carried.begin(), carried.end(), [](auto b) { return b == ' '; }));
}

TEST_F(JournalPostingTest, RefusalsChangeNoByte) {
    const JournalEntry entry = Entry({{"01020002", 1220, 0}, {"05010001", 0, 1220}});
    const struct {
        const char* name;
        std::function<void()> arrange;
        const char* says;
        rlim_t fileLimit = RLIM_INFINITY;  // a write beyond fails as on a full disk
    } cases[] = {
        {"full disk", [] {}, "Spazio su disco insufficiente", 100},
        {"full counter", [&] { setCounter(tot::kJournal, 32767); }, "contatore del giornale"},
        {"damaged counter", [&] { setCounter(tot::kJournal, -3); }, "contatore del giornale"},
        {"stale counter",
         [&] {
             JournalRecord g;
             g.setText(gio::kDate, "20250101");
             files_.write<JournalFile>(1, g);
             files_.write<JournalFile>(2, g);
             setCounter(tot::kJournal, 1);
         },
         "già una registrazione al numero 2"},
        {"account beyond the count", [&] { setCounter(tot::kAccounts, 1); }, "riga 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        const EntryCheck check = CheckEntry(entry, accounts_);
        c.arrange();
        const auto before = snapshot();
        const Result<int> r = testing::WithFileLimit(c.fileLimit, [&] {
            return PostJournalEntry(files_, entry, check.accounts, kPostedAt);
        });
        EXPECT_FALSE(r.ok());
        EXPECT_FALSE(r.partlyDone());
        EXPECT_NE(r.message().find(c.says), std::string::npos) << r.message();
        EXPECT_EQ(snapshot(), before);
        setCounter(tot::kJournal, 0);
    }
    // Posting refuses a negative amount too: the journal and the totals would disagree.
    SetUp();
    const auto before = snapshot();
    const Result<int> r = PostJournalEntry(
        files_, Entry({{"01020002", 129, 0}, {"05010001", -129, 0}}), {2, 3}, kPostedAt);
    EXPECT_FALSE(r.partlyDone());
    EXPECT_NE(r.message().find("riga 2"), std::string::npos) << r.message();
    EXPECT_EQ(snapshot(), before);
}

// A write failing once the intent is written says that the entry will be completed; the
// recovery completes it (the intent takes four write points).
TEST_F(JournalPostingTest, WriteFailureMidwayIsCompletedFromTheIntent) {
    if (!kWriteHook) GTEST_SKIP() << "built without the write hook (QORVANA_WRITE_HOOK)";
    SetWriteFault({WriteFaultKind::Error, 6, EIO});
    const JournalEntry e = Entry({{"01020002", 220, 0}, {"03020001", 0, 220}});
    const Result<int> r = PostJournalEntry(files_, e, CheckEntry(e, accounts_).accounts, kPostedAt);
    SetWriteFault({});
    EXPECT_TRUE(r.partlyDone());
    EXPECT_NE(r.message().find("La registrazione contabile n. 1 del "), std::string::npos)
        << r.message();
    ASSERT_TRUE(RecoverIntent(files_, files_.pathOf(kGio).parent_path()).ok());
    EXPECT_DOUBLE_EQ(account(2).dbl(con::kDebit), 320);
    EXPECT_EQ(counter(tot::kJournal), 1);
}

// An amount needs an account; a code without its leading zero names one; an unknown account
// without amounts is left alone (the rest of the register checks: registration_form.qrs).
TEST_F(JournalPostingTest, RegisterChecks) {
    EXPECT_EQ(CheckEntry(Entry({{"01020002", 1, 0}, {"", 0, 1}}), accounts_).problem,
              EntryProblem::Accounts);
    const EntryCheck check = CheckEntry(Entry({{"1020002", 1, 0}, {"09990001", 0, 0}}), accounts_);
    EXPECT_EQ(check.problem, EntryProblem::None);
    EXPECT_EQ(check.accounts, (LineAccounts{2, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

// The imbalance shown under the lines: dare less avere, rounded as amounts are.
TEST(EntryImbalance, RoundedDareLessAvere) {
    const struct {
        bool euro;
        std::vector<EntryLine> lines;
        double imbalance;
    } cases[] = {
        {true, {{"01020002", 122, 0}, {"05010001", 0, 100}, {"04010001", 0, 22}}, 0},
        {true, {{"01020002", 10, 0}, {"05010001", 0, 3.333}}, 6.67},
        {true, {{"01020002", 100.004, 0}, {"05010001", 0, 100}}, 0},
        {true, {{"01020002", 0, 5}, {"", 2, 0}}, -3},
        {false, {{"01020002", 1000, 0}, {"05010001", 0, 400.4}}, 600},
    };
    for (const auto& c : cases) {
        JournalEntry e;
        std::copy(c.lines.begin(), c.lines.end(), e.lines.begin());
        EXPECT_DOUBLE_EQ(EntryImbalance(e, Money(c.euro)), c.imbalance) << c.imbalance;
    }
}

}  // namespace
}  // namespace qorvana

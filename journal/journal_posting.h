#pragma once
// Registration of a journal entry: the checks of the register button, then the account
// totals (qorvana.con), the journal counter (counters record 13) and the journal record
// (qorvana.gio). Everything that can fail is checked before the first write, so that the
// account totals are never updated without their journal entry.

#include <array>
#include <string>

#include "core/result.h"
#include "journal/account_list.h"
#include "journal/journal_entry.h"

namespace qorvana {

class DataFiles;
class Money;

// Account record of each line (0 = the line is not posted).
using LineAccounts = std::array<int, JournalEntry::kLines>;

enum class EntryProblem { None, Date, Accounts, NegativeAmount };

struct EntryCheck {
    EntryProblem problem = EntryProblem::None;
    std::string message;
    LineAccounts accounts{};
    int line = -1;         // NegativeAmount: the line (0..9)
    bool inAvere = false;  // NegativeAmount: the amount stands in "Avere"
};

// The register button's checks in their order: the movement date; every line with an
// amount must name an existing account (lines without amounts take no part); no amount may
// be negative, because the journal keeps a line's side and the accounts its columns, which
// would then disagree (the operator writes the amount in the other column).
EntryCheck CheckEntry(const JournalEntry& entry, const AccountList& accounts);

// Dare less avere over the entry's lines, rounded as amounts are: what the form shows as the
// imbalance, 0 when the entry balances.
double EntryImbalance(const JournalEntry& entry, const Money& money);

// Writes the entry through one WriteSet: every posted line's amounts into its account's
// running totals, the journal counter, the journal record at the new number; then makes the
// three files durable, under an intent (core/intent_log.h). `postedAt` is the posting moment
// (days since 30/12/1899). Gives the journal record written; a failure says why nothing was
// written, or (partly done) that a write failed once the intent was written: the intent left
// completes the entry at the next posting or start.
Result<int> PostJournalEntry(DataFiles& files, const JournalEntry& entry,
                             const LineAccounts& accounts, double postedAt);

}  // namespace qorvana

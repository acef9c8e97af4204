#pragma once
// The intent log: what makes an operation's writes into the shared files atomic for this
// program, although the files are the suite's plain record files. Before the first write, the
// whole WriteSet goes into one intent file of the company folder (every record with its bytes
// as they are and as they will be, every whole file with the temporary name it is staged
// under, a checksum), written and flushed under a temporary name and then given its name:
// an intent is there whole or not at all. Then the writes run; then the intent is removed.
//
// An intent found later (the program ended midway: a crash, a power cut, a write that failed)
// is rolled forward, never undone: each record on the disk equal to its bytes before the
// operation, or to an earlier write of the same operation, is written; one equal to its bytes
// after is left; a whole file still under its temporary name gets its name. Applying twice
// gives the same bytes, so a crash during recovery is recovered at the next start. A record or
// file that is neither (another program of the suite changed it meanwhile) stops the recovery
// before anything is written, and the intent is kept until the operator has it looked at.
//
// Only a process holding the company's PostingLock writes or recovers an intent: a live
// intent of another workstation is never touched.

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/result.h"
#include "core/write_set.h"

namespace qorvana {

class DataFiles;

// The intent file in the company folder.
inline constexpr const char* kIntentFile = "qorvana.wip";

// Applies `set` under an intent in `companyFolder`. `what` names the operation as the
// operator knows it ("La fattura n. 15 del 06/12/2026 a ALFA SRL"). When the intent cannot be
// written nothing is, and the failure says so; once it is written a failure leaves it for
// RecoverIntent (partlyDone), and the message says that the operation will be completed; so
// does an intent that could not be removed once everything was written (the message says so).
Result<> ApplyWithIntent(WriteSet& set, const std::filesystem::path& companyFolder,
                         const std::string& what);

struct IntentRecovery {
    // What was completed, one sentence each ("La fattura n. 15 ..., interrotta, è stata
    // completata."); empty when there was nothing to recover.
    std::vector<std::string> told;
    // The records of the operation completed, by data-file channel and record number, whether
    // this recovery wrote them or found them written.
    std::vector<std::pair<int, std::int32_t>> completedRecords;
};

// Finishes the intent left in `companyFolder`, if any, and removes the temporary files of this
// workstation's processes that ended before naming them, there and in `otherFolders` (where
// whole files are staged too: the e-invoices' folder). The caller holds the PostingLock.
// The failure (intent kept) names the records or files that disagree, or what failed.
Result<IntentRecovery> RecoverIntent(DataFiles& files, const std::filesystem::path& companyFolder,
                                     const std::vector<std::filesystem::path>& otherFolders = {});

}  // namespace qorvana

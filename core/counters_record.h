#pragma once
// Counters record `tot` (qorvana.tot, channel 15, 12 bytes), one record per counted file.

#include <array>
#include <optional>

#include "core/data_file_types.h"

namespace qorvana {

namespace tot {
inline constexpr std::size_t kLength = CountersFile::Record::kLength;
inline constexpr auto kFields = DeclareFields<CountersLayout>({
    {"word1", Int16Field(0), "records in use of the counted file"},
    {"word2", Int16Field(2), "second word (journal: 1 once written)"},
    {"word3", Int16Field(4), "third word"},
    {"word4", Int16Field(6), "fourth word (last document number issued)"},
    {"serial", SingleField(8), "serial used by posting"},
});

inline constexpr auto kWord1 = kFields["word1"];
inline constexpr auto kWord2 = kFields["word2"];
inline constexpr auto kWord3 = kFields["word3"];
inline constexpr auto kWord4 = kFields["word4"];
inline constexpr auto kSerial = kFields["serial"];

inline constexpr Layout kLayout = kFields.layout("tot");

// Counter records of the counted files.
inline constexpr int kCustomers = 1;
inline constexpr int kArticles = 3;
inline constexpr int kFatturaPa = 5;
inline constexpr int kAccounts = 6;
inline constexpr int kInvoices = 7;
inline constexpr int kMovements = 11;
inline constexpr int kReceipts = 8;
inline constexpr int kDeliveryNoteLines = 12;
inline constexpr int kJournal = 13;
inline constexpr int kAgents = 16;
inline constexpr int kQuotes = 17;
}  // namespace tot

using CountersRecord = CountersFile::Record;

}  // namespace qorvana

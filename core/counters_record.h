#pragma once
// Counters record `tot` (qorvana.tot, channel 15, 12 bytes), one record per counted file.

#include <array>
#include <optional>

#include "core/data_file_types.h"

namespace qorvana {

namespace tot {
inline constexpr std::size_t kLength = CountersFile::Record::kLength;
inline constexpr auto kFields = DeclareFields<CountersLayout>({
    {"recordCount", Int16Field(0), "word 1: records in use of the counted file"},
    {"writtenMark", Int16Field(2), "word 2: 1 once posting has written the counted file"},
    {"word3", Int16Field(4), "word 3"},
    {"lastNumber", Int16Field(6), "word 4: last document number issued, or last series number"},
    {"serial", SingleField(8), "serial used by posting"},
});

inline constexpr auto kRecordCount = kFields["recordCount"];
inline constexpr auto kWrittenMark = kFields["writtenMark"];
inline constexpr auto kWord3 = kFields["word3"];
inline constexpr auto kLastNumber = kFields["lastNumber"];
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

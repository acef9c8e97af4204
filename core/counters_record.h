#pragma once
// Counters record `tot` (qorvana.tot, channel 15, 12 bytes), one record per counted file:
//   offset width type    meaning
//   0      2     int16   word 1: records in use of the counted file
//   2      2     int16   word 2 (journal: 1 once written)
//   4      2     int16   word 3
//   6      2     int16   word 4 (invoices: last number issued; FatturaPA: last series number)
//   8      4     single  serial used by posting

#include <array>
#include <optional>

#include "core/data_file_types.h"

namespace qorvana {

namespace tot {
inline constexpr std::size_t kLength = CountersFile::Record::kLength;
inline constexpr Field kWord1 = Int16Field(0);
inline constexpr Field kWord2 = Int16Field(2);
inline constexpr Field kWord3 = Int16Field(4);
inline constexpr Field kWord4 = Int16Field(6);
inline constexpr Field kSerial = SingleField(8);

inline constexpr std::array<FieldDef, 5> kFields{{
    {"word1", kWord1, "records in use of the counted file"},
    {"word2", kWord2, "second word (journal: 1 once written)"},
    {"word3", kWord3, "third word"},
    {"word4", kWord4, "fourth word (last document number issued)"},
    {"serial", kSerial, "serial used by posting"},
}};
static_assert(FieldsCover(kFields, kLength));
inline constexpr Layout kLayout{"tot", kLength, kFields};

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

#pragma once
// Reading and writing the record counts kept in word 1 of the counters file.

#include <optional>
#include <string>
#include <vector>

#include "core/data_files.h"
#include "core/result.h"

namespace qorvana {

// Records in use of the file that counter record `counterRecord` counts; a damaged
// (negative) count counts as 0.
int RecordCount(const DataFiles& files, int counterRecord);
// The record number the next append writes (count + 1); nullopt when the count is damaged
// (negative) or the file already holds kMaxCountedRecords records, so that the append must be
// refused.
std::optional<int> NextRecordNumber(const DataFiles& files, int counterRecord);
// Writes `count` into word 1 of the counter record, keeping its other bytes. Throws
// RecordIoError when the count lies outside 0..kMaxCountedRecords or the write fails.
void WriteRecordCount(DataFiles& files, int counterRecord, int count);
// True when `record` is a customer: records 1 to the last one of the customer file (its
// size bounds the customers, not the name index's count).
bool IsCustomerRecord(const DataFiles& files, int record);

// Entries of the index or file on `channel` that counter record `counterRecord` counts and
// that the file really holds: the count, but no more than the file's records.
int UsableEntries(const DataFiles& files, int counterRecord, int channel);
// Done when the counter counts no more entries than the file on `channel` holds; else a
// failure whose Italian message says that only those held are used.
Status CountHolds(const DataFiles& files, int counterRecord, int channel);

// A counter this program appends by that does not count the records its file holds: behind
// (the next append would overwrite a stored record) or ahead (a record number, and with it a
// document number's position, skipped), after a crash of an earlier version or a change by
// another program.
struct CounterOutOfStep {
    int counterRecord = 0;
    std::string what;  // "documenti (qorvana.fte, qorvana.f2e)"
    int counted = 0;
    int held = 0;  // the last record of the file that holds data
};
// The counters of documents (7), stock movements (11) and journal records (13) that disagree
// with their files.
std::vector<CounterOutOfStep> CountersOutOfStep(const DataFiles& files);
// Sets each counter to the records held and makes it durable; the lines that say what was
// repaired ("documenti (...): da 41 a 42"). Throws RecordIoError.
std::vector<std::string> RepairCounters(DataFiles& files,
                                        const std::vector<CounterOutOfStep>& repairs);

}  // namespace qorvana

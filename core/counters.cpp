#include "core/counters.h"

#include <algorithm>

#include "core/counters_record.h"

namespace qorvana {

int RecordCount(const DataFiles& files, int counterRecord) {
    const int count = files.read<CountersFile>(counterRecord).int16(tot::kRecordCount);
    return count < 0 ? 0 : count;
}

std::optional<int> NextRecordNumber(const DataFiles& files, int counterRecord) {
    const int count = files.read<CountersFile>(counterRecord).int16(tot::kRecordCount);
    if (count < 0 || count >= kMaxCountedRecords) return std::nullopt;
    return count + 1;
}

void WriteRecordCount(DataFiles& files, int counterRecord, int count) {
    if (count < 0 || count > kMaxCountedRecords) {
        throw RecordIoError("Il contatore " + std::to_string(counterRecord) +
                            " di qorvana.tot non può contenere " + std::to_string(count) + ".");
    }
    auto record = files.read<CountersFile>(counterRecord);
    record.setInt16(tot::kRecordCount, static_cast<std::int16_t>(count));
    files.write<CountersFile>(counterRecord, record);
}

int UsableEntries(const DataFiles& files, int counterRecord, int channel) {
    return std::min(RecordCount(files, counterRecord), int(files.physicalRecords(channel)));
}

std::optional<std::string> CountMismatch(const DataFiles& files, int counterRecord, int channel) {
    const int counted = RecordCount(files, counterRecord);
    const int held = files.physicalRecords(channel);
    if (counted <= held) return std::nullopt;
    const std::string name = files.pathOf(channel).filename().string();
    return "Il contatore " + std::to_string(counterRecord) + " di qorvana.tot indica " +
           std::to_string(counted) + " voci, ma " + name + " ne contiene " + std::to_string(held) +
           ": si usano le " + std::to_string(held) + " presenti.";
}

bool IsCustomerRecord(const DataFiles& files, int record) {
    return record >= 1 && record <= files.physicalRecords(kCli);
}

}  // namespace qorvana

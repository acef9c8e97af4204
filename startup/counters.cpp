#include "startup/counters.h"

#include "startup/counters_record.h"

namespace qorvana {

int RecordCount(const DataFiles& files, int counterRecord) {
    const int count = files.read<CountersFile>(counterRecord).int16(tot::kWord1);
    return count < 0 ? 0 : count;
}

std::optional<int> NextRecordNumber(const DataFiles& files, int counterRecord) {
    const int count = files.read<CountersFile>(counterRecord).int16(tot::kWord1);
    if (count < 0 || count >= 32767) return std::nullopt;
    return count + 1;
}

void WriteRecordCount(DataFiles& files, int counterRecord, int count) {
    if (count < 0 || count > 32767) {
        throw RecordIoError("Il contatore " + std::to_string(counterRecord) +
                            " di qorvana.tot non può contenere " + std::to_string(count) + ".");
    }
    auto record = files.read<CountersFile>(counterRecord);
    record.setInt16(tot::kWord1, static_cast<std::int16_t>(count));
    files.write<CountersFile>(counterRecord, record);
}

bool IsCustomerRecord(const DataFiles& files, int record) {
    return record >= 1 && record <= files.physicalRecords(kCli);
}

}  // namespace qorvana

#include "core/counters.h"

#include <algorithm>
#include <array>
#include <vector>

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

Status CountHolds(const DataFiles& files, int counterRecord, int channel) {
    const int counted = RecordCount(files, counterRecord);
    const int held = files.physicalRecords(channel);
    if (counted <= held) return {};
    const std::string name = files.pathOf(channel).filename().string();
    return Failure{"Il contatore " + std::to_string(counterRecord) + " di qorvana.tot indica " +
                   std::to_string(counted) + " voci, ma " + name + " ne contiene " +
                   std::to_string(held) + ": si usano le " + std::to_string(held) + " presenti."};
}

bool IsCustomerRecord(const DataFiles& files, int record) {
    return record >= 1 && record <= files.physicalRecords(kCli);
}

namespace {

// The last record of `channel` that holds data (not only zero bytes or blanks); 0 for none.
int LastRecordHeld(const DataFiles& files, int channel) {
    std::vector<std::uint8_t> bytes(files.recordLength(channel));
    for (int n = std::min<int>(files.physicalRecords(channel), kMaxCountedRecords); n >= 1; --n) {
        files.readRaw(channel, n, bytes);
        if (std::any_of(bytes.begin(), bytes.end(), [](auto b) { return b != 0 && b != ' '; }))
            return n;
    }
    return 0;
}

}  // namespace

std::vector<CounterOutOfStep> CountersOutOfStep(const DataFiles& files) {
    struct Counted {
        int counterRecord;
        const char* what;
        std::array<int, 2> channels;
    };
    static constexpr Counted kCounted[] = {
        {tot::kInvoices, "documenti (qorvana.fte, qorvana.f2e)", {kFte, kF2e}},
        {tot::kMovements, "movimenti di magazzino (qorvana.mag)", {kMag, kMag}},
        {tot::kJournal, "registrazioni contabili (qorvana.gio)", {kGio, kGio}}};
    std::vector<CounterOutOfStep> out;
    for (const Counted& c : kCounted) {
        if (!files.isOpen(c.channels[0])) continue;
        const int counted = files.read<CountersFile>(c.counterRecord).int16(tot::kRecordCount);
        const int held =
            std::max(LastRecordHeld(files, c.channels[0]), LastRecordHeld(files, c.channels[1]));
        if (counted != held) out.push_back({c.counterRecord, c.what, counted, held});
    }
    return out;
}

std::vector<std::string> RepairCounters(DataFiles& files,
                                        const std::vector<CounterOutOfStep>& repairs) {
    std::vector<std::string> done;
    for (const CounterOutOfStep& r : repairs) {
        WriteRecordCount(files, r.counterRecord, r.held);
        done.push_back("contatore " + std::to_string(r.counterRecord) + ", " + r.what + ": da " +
                       std::to_string(r.counted) + " a " + std::to_string(r.held));
    }
    files.sync(std::array<int, 1>{kTot});
    return done;
}

}  // namespace qorvana

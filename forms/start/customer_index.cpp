#include "forms/start/customer_index.h"

#include <algorithm>

#include "startup/cp1252.h"
#include "startup/data_files.h"
#include "startup/record.h"

namespace qorvana {
namespace {

// Fields of the customer record (752 bytes) and of the name index entry (42 bytes) read here.
namespace cli {
constexpr Field kName1 = TextField(0, 40);
constexpr Field kName2 = TextField(40, 40);
constexpr Field kAddress = TextField(80, 40);
constexpr Field kTown = TextField(120, 40);
constexpr Field kPostcode = TextField(160, 5);
constexpr Field kAdminHeading1 = TextField(165, 40);
constexpr Field kAdminHeading2 = TextField(205, 40);
constexpr Field kAdminAddress = TextField(245, 40);
constexpr Field kAdminTown = TextField(285, 40);
constexpr Field kAdminPostcode = TextField(325, 5);
constexpr Field kPhone1 = TextField(330, 15);
constexpr Field kPhone2 = TextField(345, 15);
constexpr Field kPhone3 = TextField(360, 15);
constexpr Field kVatNumber = TextField(375, 11);
constexpr Field kTaxCode = TextField(386, 16);
constexpr Field kCarrier1 = TextField(402, 40);
constexpr Field kCarrier2 = TextField(442, 40);
constexpr Field kCarrier3 = TextField(482, 32);
constexpr Field kPublicAdministration = TextField(514, 1);
constexpr Field kVatPrefix = TextField(626, 2);
constexpr Field kNotes1 = TextField(633, 37);
constexpr Field kNotes2 = TextField(673, 37);
constexpr Field kEmail = TextField(714, 36);
constexpr Field kDeleted = Int16Field(750);
}  // namespace cli
namespace src {
constexpr Field kKey = TextField(0, 40);
constexpr Field kRecord = Int16Field(40);
}  // namespace src
constexpr Field kCounterWord1 = Int16Field(0);

using CustomerRecord = Record<752>;
using IndexEntry = Record<42>;
using CounterRecord = Record<12>;

std::string Trimmed(std::string text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// Upper case in Windows-1252 bytes: names compare byte by byte as the suite compares them.
std::string CompareForm(std::string_view utf8) {
    return Utf8ToCp1252(UpperCase(utf8));
}

}  // namespace

int CustomerIndex::count() const {
    const int n = files_.read<12>(kTot, 1).int16(kCounterWord1);
    return std::max(n, 0);
}

int CustomerIndex::recordAt(int position) const {
    if (position < 1 || position > count()) return 0;
    return files_.read<42>(kSrc, position).int16(src::kRecord);
}

bool CustomerIndex::customerExists(int record) const {
    return record >= 1 && record <= files_.physicalRecords(kCli);
}

int CustomerIndex::findByName(std::string_view key) const {
    const std::string wanted = CompareForm(Trimmed(std::string(key)));
    const int n = count();
    if (wanted.empty() || n <= 0) return 0;
    int low = 1;
    int high = n + 1;
    int lastProbe = 0;
    bool done = false;
    while (!done) {
        const int mid = low + (high - low) / 2;
        if (mid == lastProbe) done = true;  // the probe still runs once more
        lastProbe = mid;
        const std::string name = CompareForm(files_.read<42>(kSrc, mid).text(src::kKey));
        const std::string head = name.substr(0, wanted.size());
        if (head == wanted) return mid;
        if (head > wanted)
            high = mid;
        else
            low = mid;
    }
    return 0;
}

int CustomerIndex::findByRecord(int record) const {
    if (record < 1) return 0;
    const int n = count();
    for (int position = 1; position <= n; ++position)
        if (files_.read<42>(kSrc, position).int16(src::kRecord) == record) return position;
    return 0;
}

CustomerCard CustomerIndex::card(int record) const {
    CustomerCard card;
    if (!customerExists(record)) return card;
    const auto c = files_.read<752>(kCli, record);
    card.record = record;
    const Field shown[22] = {
        cli::kName1,         cli::kName2,         cli::kAddress,      cli::kPostcode,
        cli::kTown,          cli::kTaxCode,       cli::kVatPrefix,    cli::kVatNumber,
        cli::kAdminHeading1, cli::kAdminHeading2, cli::kAdminAddress, cli::kAdminPostcode,
        cli::kAdminTown,     cli::kPhone1,        cli::kPhone2,       cli::kPhone3,
        cli::kEmail,         cli::kCarrier1,      cli::kCarrier2,     cli::kCarrier3,
        cli::kNotes1,        cli::kNotes2};
    for (std::size_t i = 0; i < card.fields.size(); ++i) card.fields[i] = Trimmed(c.text(shown[i]));
    card.publicAdministration = c.text(cli::kPublicAdministration) == "1";
    card.deletedFlag = c.int16(cli::kDeleted);
    return card;
}

std::vector<CustomerListRow> CustomerIndex::list(std::string_view filter) const {
    const std::string wanted = CompareForm(Trimmed(std::string(filter)));
    const int n = count();
    const int customers = files_.physicalRecords(kCli);
    std::vector<CustomerListRow> rows;
    rows.reserve(static_cast<std::size_t>(n));
    IndexEntry entry;
    CustomerRecord c;
    for (int position = 1; position <= n; ++position) {
        files_.readRaw(kSrc, position, entry.bytes());
        const int record = entry.int16(src::kRecord);
        if (record < 1 || record > customers) continue;
        files_.readRaw(kCli, record, c.bytes());
        if (c.int16(cli::kDeleted) != 0) continue;
        std::string name = c.text(cli::kName1);
        if (!wanted.empty() && CompareForm(Trimmed(name)).find(wanted) == std::string::npos)
            continue;
        CustomerListRow row;
        row.record = record;
        row.columns = {std::move(name), c.text(cli::kName2), c.text(cli::kAddress),
                       c.text(cli::kTown), c.text(cli::kVatNumber)};
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace qorvana

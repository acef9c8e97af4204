#include "customers/customer_index.h"

#include <algorithm>
#include <optional>

#include "core/counters.h"
#include "core/counters_record.h"
#include "core/cp1252.h"
#include "core/data_files.h"
#include "core/text.h"
#include "customers/customer_record.h"
#include "customers/name_index_record.h"

namespace qorvana {
namespace {

// Upper case in Windows-1252 bytes: names compare byte by byte as the suite compares them.
std::string CompareForm(std::string_view utf8) {
    // Plain ASCII, most names, is the same in both encodings: only its letters change.
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return (c & 0x80) == 0; })) {
        std::string upper(utf8);
        for (char& c : upper)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        return upper;
    }
    return Utf8ToCp1252(UpperCase(utf8));
}

}  // namespace

int CustomerIndex::count() const {
    return UsableEntries(files_, tot::kCustomers, kSrc);
}

std::optional<std::string> CustomerIndex::countProblem() const {
    return CountMismatch(files_, tot::kCustomers, kSrc);
}

std::string CustomerIndex::UnreadableMessage(int position, int record) {
    return "La scheda del cliente (record " + std::to_string(record) + " di qorvana.cli, voce " +
           std::to_string(position) +
           " dell'indice qorvana.src) non può essere letta: l'indice o l'archivio dei clienti "
           "è danneggiato.";
}

int CustomerIndex::recordAt(int position) const {
    if (position < 1 || position > count()) return 0;
    return files_.read<NameIndexFile>(position).int16(src::kCustomer);
}

bool CustomerIndex::customerExists(int record) const {
    return IsCustomerRecord(files_, record);
}

int CustomerIndex::findByName(std::string_view key) const {
    const std::string wanted = CompareForm(Trim(std::string(key)));
    const int n = count();
    if (wanted.empty() || n <= 0) return 0;
    // The names' first Len(key) characters, compared with the key: the entries whose head is
    // below the key come first; the search ends on the first entry whose head is not below.
    const auto head = [&](int position) {
        return CompareForm(files_.read<NameIndexFile>(position).text(src::kKey))
            .substr(0, wanted.size());
    };
    int low = 1;
    int high = n + 1;
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (head(mid) < wanted)
            low = mid + 1;
        else
            high = mid;
    }
    return low <= n && head(low) == wanted ? low : 0;
}

int CustomerIndex::findByRecord(int record) const {
    if (record < 1) return 0;
    int found = 0;
    files_.scan<NameIndexFile>(1, count(), [&](std::int32_t position, const NameIndexRecord& e) {
        if (found == 0 && e.int16(src::kCustomer) == record) found = position;
    });
    return found;
}

CustomerCard CustomerIndex::card(int record) const {
    CustomerCard card;
    if (!customerExists(record)) return card;
    const auto c = files_.read<CustomersFile>(record);
    card.record = record;
    const Field<CustomerLayout> shown[22] = {
        cli::kName1,      cli::kName2,      cli::kAddress,      cli::kPostcode,
        cli::kTown,       cli::kTaxCode,    cli::kVatPrefix,    cli::kVatNumber,
        cli::kAdminName1, cli::kAdminName2, cli::kAdminAddress, cli::kAdminPostcode,
        cli::kAdminTown,  cli::kPhone1,     cli::kPhone2,       cli::kPhone3,
        cli::kEmail,      cli::kCarrier1,   cli::kCarrier2,     cli::kCarrier3,
        cli::kNotes1,     cli::kNotes2};
    for (std::size_t i = 0; i < card.fields.size(); ++i) card.fields[i] = Trim(c.text(shown[i]));
    card.publicAdministration = c.text(cli::kPaFlag) == "1";
    card.deletedFlag = c.int16(cli::kDeleted);
    return card;
}

std::vector<CustomerListRow> CustomerIndex::list(std::string_view filter) const {
    const std::string wanted = CompareForm(Trim(std::string(filter)));
    const int n = count();
    const int customers = files_.physicalRecords(kCli);
    // The index first, then the customer file in record order up to the last customer the
    // index names: both read in blocks. `uses` counts the entries naming each customer.
    std::vector<int> recordOf;
    recordOf.reserve(static_cast<std::size_t>(n));
    std::vector<int> uses(static_cast<std::size_t>(customers) + 1, 0);
    int last = 0;
    files_.scan<NameIndexFile>(1, n, [&](std::int32_t, const NameIndexRecord& entry) {
        const int record = entry.int16(src::kCustomer);
        recordOf.push_back(record);
        if (record < 1 || record > customers) return;
        ++uses[static_cast<std::size_t>(record)];
        last = std::max(last, record);
    });
    std::vector<std::optional<CustomerListRow>> shown(static_cast<std::size_t>(last) + 1);
    files_.scan<CustomersFile>(1, last, [&](std::int32_t record, const CustomerRecord& c) {
        if (uses[static_cast<std::size_t>(record)] == 0 || c.int16(cli::kDeleted) != 0) return;
        std::string name = c.text(cli::kName1);
        if (!wanted.empty() && CompareForm(Trim(name)).find(wanted) == std::string::npos) return;
        CustomerListRow& row = shown[static_cast<std::size_t>(record)].emplace();
        row.record = record;
        row.columns = {std::move(name), c.text(cli::kName2), c.text(cli::kAddress),
                       c.text(cli::kTown), c.text(cli::kVatNumber)};
    });
    std::vector<CustomerListRow> rows;
    rows.reserve(static_cast<std::size_t>(n));
    for (const int record : recordOf) {
        if (record < 1 || record > last) continue;
        auto& row = shown[static_cast<std::size_t>(record)];
        if (!row) continue;
        // The last entry naming a customer takes its row; an earlier one copies it.
        if (--uses[static_cast<std::size_t>(record)] == 0)
            rows.push_back(std::move(*row));
        else
            rows.push_back(*row);
    }
    return rows;
}

}  // namespace qorvana

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

// Upper case in Windows-1252 bytes, into `out` (its room reused): names compare byte by byte
// as the suite compares them.
void SetCompareForm(std::string& out, std::string_view utf8) {
    // Plain ASCII, most names, is the same in both encodings: only its letters change.
    if (IsAscii(utf8)) {
        out.assign(utf8);
        for (char& c : out) c = AsciiUpper(c);
        return;
    }
    out = Utf8ToCp1252(UpperCase(utf8));
}

std::string CompareForm(std::string_view utf8) {
    std::string out;
    SetCompareForm(out, utf8);
    return out;
}

// The customer fields the list shows, in the order of CustomerListRow::columns.
constexpr Field<CustomerLayout> kListed[5] = {cli::kName1, cli::kName2, cli::kAddress, cli::kTown,
                                              cli::kVatNumber};
// The room the shown texts take at most in plain ASCII.
constexpr std::size_t kListedWidth = [] {
    std::size_t width = 0;
    for (const auto& f : kListed) width += f.width;
    return width;
}();

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

CustomerList CustomerIndex::list(std::string_view filter) const {
    const std::string wanted = CompareForm(Trim(std::string(filter)));
    const int n = count();
    const int customers = files_.physicalRecords(kCli);
    // The index first, then the customer file in record order up to the last customer the
    // index names: both read in blocks.
    std::vector<int> recordOf;
    recordOf.reserve(static_cast<std::size_t>(n));
    std::vector<bool> named(static_cast<std::size_t>(customers) + 1);
    int last = 0;
    files_.scan<NameIndexFile>(1, n, [&](std::int32_t, const NameIndexRecord& entry) {
        const int record = entry.int16(src::kCustomer);
        recordOf.push_back(record);
        if (record < 1 || record > customers) return;
        named[static_cast<std::size_t>(record)] = true;
        last = std::max(last, record);
    });
    // The texts of the customers shown, one after the other; bounds[s]: where each text of the
    // s-th customer shown begins, and where its last one ends; slotOf[record]: its s, or -1.
    // Pages of the room reserved that are never written cost nothing.
    auto text = std::make_unique<std::string>();
    text->reserve(static_cast<std::size_t>(last) * kListedWidth);
    std::vector<std::array<std::uint32_t, 6>> bounds;
    std::vector<int> slotOf(static_cast<std::size_t>(last) + 1, -1);
    std::string upper;
    files_.scan<CustomersFile>(1, last, [&](std::int32_t record, const CustomerRecord& c) {
        if (!named[static_cast<std::size_t>(record)] || c.int16(cli::kDeleted) != 0) return;
        const std::size_t start = text->size();
        c.appendText(*text, kListed[0]);
        if (!wanted.empty()) {
            // Blanks around the name cannot take part in a match of the trimmed filter.
            SetCompareForm(upper, std::string_view(*text).substr(start));
            if (upper.find(wanted) == std::string::npos) {
                text->resize(start);
                return;
            }
        }
        slotOf[static_cast<std::size_t>(record)] = static_cast<int>(bounds.size());
        auto& at = bounds.emplace_back();
        at[0] = static_cast<std::uint32_t>(start);
        for (std::size_t k = 1; k < std::size(kListed); ++k) {
            at[k] = static_cast<std::uint32_t>(text->size());
            c.appendText(*text, kListed[k]);
        }
        at[5] = static_cast<std::uint32_t>(text->size());
    });
    // The rows in the index's order: an entry repeated shows the same texts again.
    std::vector<CustomerListRow> rows;
    rows.reserve(static_cast<std::size_t>(n));
    for (const int record : recordOf) {
        if (record < 1 || record > last) continue;
        const int slot = slotOf[static_cast<std::size_t>(record)];
        if (slot < 0) continue;
        const auto& at = bounds[static_cast<std::size_t>(slot)];
        CustomerListRow& row = rows.emplace_back();
        row.record = record;
        for (std::size_t k = 0; k < row.columns.size(); ++k)
            row.columns[k] = std::string_view(*text).substr(at[k], at[k + 1] - at[k]);
    }
    return CustomerList(std::move(text), std::move(rows));
}

}  // namespace qorvana

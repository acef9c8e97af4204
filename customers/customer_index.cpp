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
    return Utf8ToCp1252(UpperCase(utf8));
}

// The customer fields the list shows, in the order of CustomerList::column.
constexpr Field<CustomerLayout> kListed[5] = {cli::kName1, cli::kName2, cli::kAddress, cli::kTown,
                                              cli::kVatNumber};
// The room the shown texts take at most in plain ASCII.
constexpr std::size_t kListedWidth = [] {
    std::size_t width = 0;
    for (const auto& f : kListed) width += f.width;
    return width;
}();

// True when name 1 of a customer, in the form names compare in, holds `wanted`. Blanks
// around the name cannot take part in a match of the trimmed filter.
bool NameHolds(const CustomerRecord& c, std::string_view wanted) {
    const auto field = c.bytes().subspan<cli::kName1.offset, cli::kName1.width>();
    // Plain ASCII, most names, is upper-cased from the record's bytes as they are.
    std::array<char, cli::kName1.width> upper;
    bool changed = false;
    if (AsciiUpperWords(reinterpret_cast<const char*>(field.data()), field.size(), upper.data(),
                        changed))
        return std::string_view(upper.data(), TextFieldLength(field)).find(wanted) !=
               std::string_view::npos;
    return CompareForm(DecodeText(field)).find(wanted) != std::string::npos;
}

// True when the upper case of `text` holds `wanted` (upper case already). A plain-ASCII text,
// most of them, is upper-cased in place without a copy.
bool HoldsUpper(std::string_view text, std::string_view wanted) {
    if (wanted.empty()) return true;
    std::array<char, 64> upper;
    if (text.size() > upper.size() || !IsAscii(text))
        return UpperCase(text).find(wanted) != std::string::npos;
    for (std::size_t i = 0; i < text.size(); ++i) upper[i] = AsciiUpper(text[i]);
    return std::string_view(upper.data(), text.size()).find(wanted) != std::string_view::npos;
}

// Shown field K of a customer, appended to `text`.
template <std::size_t K>
void AppendListed(TextBuffer& text, const CustomerRecord& c) {
    text.appendField(c.bytes().subspan<kListed[K].offset, kListed[K].width>());
}

}  // namespace

int CustomerIndex::count() const {
    return UsableEntries(files_, tot::kCustomers, kSrc);
}

Status CustomerIndex::countHolds() const {
    return CountHolds(files_, tot::kCustomers, kSrc);
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

CustomerList CustomerIndex::list(std::string_view filter, const ProgressReport& progress) const {
    const std::string wanted = CompareForm(Trim(std::string(filter)));
    const int n = count();
    const int customers = files_.physicalRecords(kCli);
    // The index first, then the customer file in record order up to the last customer the
    // index names: both read in blocks.
    std::vector<int> recordOf;
    recordOf.reserve(static_cast<std::size_t>(n));
    std::vector<bool> named(static_cast<std::size_t>(customers) + 1);
    int last = 0;
    // The customer file is at most as long as the index names; told in steps of 4096 records.
    ProgressSteps steps(progress, std::int64_t{n} + std::max(customers, 0), 4096);
    files_.scan<NameIndexFile>(1, n, [&](std::int32_t, const NameIndexRecord& entry) {
        steps.step();
        const int record = entry.int16(src::kCustomer);
        recordOf.push_back(record);
        if (record < 1 || record > customers) return;
        named[static_cast<std::size_t>(record)] = true;
        last = std::max(last, record);
    });
    // The texts of the customers shown, one after the other; bounds[s]: where each text of the
    // s-th customer shown begins, and where its last one ends; slotOf[record]: its s, or -1.
    // Pages of the room reserved that are never written cost nothing.
    TextBuffer text;
    text.reserve(static_cast<std::size_t>(last) * kListedWidth);
    std::vector<CustomerList::Bounds> bounds;
    std::vector<int> slotOf(static_cast<std::size_t>(last) + 1, -1);
    bounds.reserve(static_cast<std::size_t>(last));
    files_.scan<CustomersFile>(1, last, [&](std::int32_t record, const CustomerRecord& c) {
        steps.step();
        if (!named[static_cast<std::size_t>(record)] || c.int16(cli::kDeleted) != 0) return;
        if (!wanted.empty() && !NameHolds(c, wanted)) return;
        const auto start = static_cast<std::uint32_t>(text.size());
        AppendListed<0>(text, c);
        slotOf[static_cast<std::size_t>(record)] = static_cast<int>(bounds.size());
        auto& at = bounds.emplace_back();
        // The texts lie one after the other: each begins where the one before ends.
        at[0] = start;
        at[1] = static_cast<std::uint32_t>(text.size());
        AppendListed<1>(text, c);
        at[2] = static_cast<std::uint32_t>(text.size());
        AppendListed<2>(text, c);
        at[3] = static_cast<std::uint32_t>(text.size());
        AppendListed<3>(text, c);
        at[4] = static_cast<std::uint32_t>(text.size());
        AppendListed<4>(text, c);
        at[5] = static_cast<std::uint32_t>(text.size());
    });
    // The rows in the index's order: an entry repeated shows the same texts again.
    std::vector<CustomerListRow> rows;
    rows.reserve(static_cast<std::size_t>(n));
    for (const int record : recordOf) {
        if (record < 1 || record > last) continue;
        const int slot = slotOf[static_cast<std::size_t>(record)];
        if (slot >= 0) rows.push_back({record, static_cast<std::uint32_t>(slot)});
    }
    return CustomerList(std::move(text), std::move(bounds), std::move(rows));
}

std::vector<std::size_t> CustomerList::holding(std::string_view text, std::size_t limit) const {
    const std::string wanted = UpperCase(TrimView(text));
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < rows_.size() && found.size() < limit; ++i) {
        // Name line 1, town and VAT number (CustomerList::column).
        for (const std::size_t k : {0, 3, 4}) {
            if (!HoldsUpper(column(rows_[i], k), wanted)) continue;
            found.push_back(i);
            break;
        }
    }
    return found;
}

}  // namespace qorvana

#include "sources/source_documents.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <span>
#include <unordered_map>

#include "core/civil_date.h"
#include "core/counters.h"
#include "core/counters_record.h"
#include "core/cp1252.h"
#include "core/data_files.h"
#include "core/numbers.h"
#include "core/text.h"
#include "customers/customer_record.h"
#include "document/document_record.h"
#include "sources/delivery_note_record.h"
#include "sources/quote_record.h"

namespace qorvana {
namespace {

bool Contains(const std::vector<int>& records, int record) {
    return std::find(records.begin(), records.end(), record) != records.end();
}

// Serials as the suite names files by them: plain digits.
std::string SerialText(float serial) {
    return std::isfinite(serial) ? PlainNumberText(static_cast<double>(serial)) : "0";
}

// The picker's date of a yyyymmdd field. Plain ASCII is its own text, so it is shown without
// decoding the field first.
std::string PickerDateOf(std::span<const std::uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()),
                                TextFieldLength(bytes));
    return IsAscii(text) ? CivilDate::ShownFromRecord(text)
                         : CivilDate::ShownFromRecord(DecodeText(bytes));
}

// What a note's row takes from its heading. The headings are gathered first, so that the rows,
// five strings each, are made in place in one allocation.
struct NoteHeading {
    std::int32_t record;
    std::int16_t number;
    bool isReturn;
    float serial;
    std::array<std::uint8_t, bol::kDate.width> date;
};

void ListNotes(const DataFiles& files, int customer, const std::vector<int>& imported,
               std::vector<SourceRow>& rows) {
    const int count = RecordCount(files, tot::kDeliveryNoteLines);
    std::vector<NoteHeading> headings;
    files.scan<DeliveryNotesFile>(1, count, [&](std::int32_t i, const DeliveryNoteRecord& r) {
        if (r.int16(bol::kCustomer) != customer || r.int16(bol::kHeadMark) != 1 ||
            r.int16(bol::kInvoiced) != 0 || r.int16(bol::kExcluded) != 0)
            return;
        NoteHeading& h = headings.emplace_back();
        h.record = i;
        h.number = r.int16(bol::kNumber);
        // The text's first character is its first byte: no need to decode the text.
        h.isReturn = r.bytes()[bol::kText.offset] == 'R';
        h.serial = r.single(bol::kSerial);
        const auto date = r.bytes().subspan<bol::kDate.offset, bol::kDate.width>();
        std::copy(date.begin(), date.end(), h.date.begin());
    });
    rows.reserve(rows.size() + headings.size());
    for (const NoteHeading& h : headings) {
        SourceRow& row = rows.emplace_back();
        row.record = h.record;
        row.cells[0] = h.isReturn ? std::string(kReturnNoteCaption) : std::to_string(h.number);
        row.cells[1] = PickerDateOf(h.date);
        row.cells[2] = Contains(imported, h.record) ? kNo : kYes;
        row.cells[3] = SerialText(h.serial);
        row.cells[4] = std::to_string(h.record);
    }
}

void ListReceipts(const DataFiles& files, int customer, const std::vector<int>& imported,
                  std::vector<SourceRow>& rows) {
    namespace d = document_record;
    const int count = RecordCount(files, tot::kReceipts);
    files.scan<ReceiptsFile>(1, count, [&](std::int32_t i, const DocumentRecord& r) {
        if (r.int16(d::kCustomer) != customer || r.int16(d::kKind) != kReceiptToInvoice ||
            r.int16(d::kWord354) != 0 || r.int16(d::kWord520) != 0)
            return;
        SourceRow row;
        row.record = i;
        row.cells[0] = Trim(r.text(d::kNumber));
        row.cells[1] = CivilDate::ShownFromRecord(r.text(d::kDocumentDate));
        row.cells[2] = Contains(imported, i) ? kNo : kYes;
        row.cells[3] = SerialText(r.single(d::kSerial));
        row.cells[4] = std::to_string(i);
        rows.push_back(std::move(row));
    });
}

// Name line 1 of each customer in `codes` (sorted, distinct, within the customer file). Many
// customers are read with the file's range in blocks; a few, one by one.
std::unordered_map<int, std::string> CustomerNames(const DataFiles& files,
                                                   const std::vector<int>& codes) {
    std::unordered_map<int, std::string> names;
    if (codes.empty()) return names;
    const int first = codes.front();
    const int span = codes.back() - first + 1;
    if (static_cast<int>(codes.size()) * 64 < span) {
        for (int code : codes)
            names.emplace(code, files.read<CustomersFile>(code).text(cli::kName1));
        return names;
    }
    auto next = codes.begin();
    files.scan<CustomersFile>(first, span, [&](std::int32_t n, const CustomerRecord& c) {
        if (*next != n) return;
        names.emplace(n, c.text(cli::kName1));
        ++next;
    });
    return names;
}

void ListInvoices(const DataFiles& files, std::vector<SourceRow>& rows) {
    namespace d = document_record;
    const int count = RecordCount(files, tot::kInvoices);
    const int customers = files.physicalRecords(kCli);
    const std::size_t listedBefore = rows.size();
    std::vector<int> codes;  // of the rows listed, in their order
    files.scan<InvoicesFile>(1, count, [&](std::int32_t i, const DocumentRecord& r) {
        if (r.int16(d::kWord520) != 0) return;
        const int code = r.int16(d::kCustomer);
        if (code < 1 || code > customers) return;
        codes.push_back(code);
        SourceRow row;
        row.record = i;
        row.customer = code;
        row.cells[0] = r.text(d::kNumber);
        row.cells[1] = CivilDate::ShownFromRecord(r.text(d::kDocumentDate));
        row.cells[3] = SerialText(r.single(d::kSerial));
        row.cells[4] = std::to_string(i);
        rows.push_back(std::move(row));
    });
    std::vector<int> distinct = codes;
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    const auto names = CustomerNames(files, distinct);
    for (std::size_t k = 0; k < codes.size(); ++k)
        rows[listedBefore + k].cells[2] = names.at(codes[k]);
}

// A quote's heading is the first of its 200 records: the headings lie 200 records apart, so
// each is read alone (a block read would read 200 times the bytes listed).
void ListQuotes(const DataFiles& files, int customer, std::vector<SourceRow>& rows) {
    const int count = RecordCount(files, tot::kQuotes);
    for (int k = 1; k <= count; ++k) {
        const auto r = files.read<QuotesFile>(prv::RecordOf(k, 1));
        if (r.int16(prv::kCustomer) != customer || r.int16(prv::kState) != 0) continue;
        SourceRow row;
        row.record = k;
        row.cells[0] = r.text(prv::kNumber);
        row.cells[1] = CivilDate::ShownFromRecord(r.text(prv::kDate));
        row.cells[2] = r.text(prv::kDescription);
        row.cells[3] = std::to_string(k);
        rows.push_back(std::move(row));
    }
}

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::vector<SourceRow> ListSources(const DataFiles& files, SourceKind kind, int customer,
                                   const std::vector<int>& alreadyImported) {
    std::vector<SourceRow> rows;
    switch (kind) {
        case SourceKind::DeliveryNotes:
            ListNotes(files, customer, alreadyImported, rows);
            break;
        case SourceKind::Receipts:
            ListReceipts(files, customer, alreadyImported, rows);
            break;
        case SourceKind::Invoices:
            ListInvoices(files, rows);
            break;
        case SourceKind::Quotes:
            ListQuotes(files, customer, rows);
            break;
    }
    return rows;
}

InvoicePick InvoicePickOf(const SourceRow& row) {
    InvoicePick pick;
    pick.fileName = "f" + Trim(row.cells[3]);
    const std::string number = Trim(row.cells[0]);
    const std::string& date = row.cells[1];
    if (AllDigits(number) && date.size() == 10)
        pick.fallbackName = "ftr" + number + ".a" + date.substr(8, 2);
    return pick;
}

std::string CorrectedInvoiceMismatch(const DataFiles& files, int customer,
                                     const InvoiceReference& corrected,
                                     std::string_view creditNoteDate) {
    namespace d = document_record;
    const std::string number = Trim(corrected.id);
    const std::string named =
        "La fattura rettificata n. " + number + " del " + Trim(corrected.date);
    const auto date = CivilDate::Parse(Trim(corrected.date));
    if (!date) return named + ": la data non è valida (gg/mm/aaaa).";
    std::optional<int> found;
    files.scan<InvoicesFile>(
        1, RecordCount(files, tot::kInvoices), [&](std::int32_t, const DocumentRecord& r) {
            if (found || r.int16(d::kWord520) != 0 || Trim(r.text(d::kNumber)) != number ||
                r.text(d::kDocumentDate) != date->recordText())
                return;
            found = r.int16(d::kCustomer);
        });
    if (!found) return named + " non è tra le fatture emesse.";
    if (*found != customer) {
        const bool known = *found >= 1 && *found <= files.physicalRecords(kCli);
        const std::string owner =
            known ? Trim(files.read<CustomersFile>(*found).text(cli::kName1)) : "";
        return named + " è intestata a " + (owner.empty() ? "un altro cliente" : owner) +
               ", non al cliente della nota credito.";
    }
    const auto noteDate = CivilDate::Parse(Trim(creditNoteDate));
    if (noteDate && *date > *noteDate)
        return named + " è successiva alla nota credito (" + noteDate->text() + ").";
    return {};
}

}  // namespace qorvana

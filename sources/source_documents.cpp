#include "sources/source_documents.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "core/counters.h"
#include "core/counters_record.h"
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

bool IsCustomer(const DataFiles& files, int code) {
    return code >= 1 && code <= files.physicalRecords(kCli);
}

void ListNotes(const DataFiles& files, int customer, const std::vector<int>& imported,
               std::vector<SourceRow>& rows) {
    const int count = RecordCount(files, tot::kDeliveryNoteLines);
    for (int i = 1; i <= count; ++i) {
        const auto r = files.read<DeliveryNotesFile>(i);
        if (r.int16(bol::kCustomer) != customer || r.int16(bol::kHeadMark) != 1 ||
            r.int16(bol::kInvoiced) != 0 || r.int16(bol::kExcluded) != 0)
            continue;
        SourceRow row;
        row.record = i;
        const bool isReturn = r.text(bol::kText).starts_with('R');
        row.cells[0] =
            isReturn ? std::string(kReturnNoteCaption) : std::to_string(r.int16(bol::kNumber));
        row.cells[1] = PickerDate(r.text(bol::kDate));
        row.cells[2] = Contains(imported, i) ? kNo : kYes;
        row.cells[3] = SerialText(r.single(bol::kSerial));
        row.cells[4] = std::to_string(i);
        rows.push_back(std::move(row));
    }
}

void ListReceipts(const DataFiles& files, int customer, const std::vector<int>& imported,
                  std::vector<SourceRow>& rows) {
    namespace d = document_record;
    const int count = RecordCount(files, tot::kReceipts);
    for (int i = 1; i <= count; ++i) {
        const auto r = files.read<ReceiptsFile>(i);
        if (r.int16(d::kCustomer) != customer || r.int16(d::kKind) != 1 ||
            r.int16(d::kWord354) != 0 || r.int16(d::kWord520) != 0)
            continue;
        SourceRow row;
        row.record = i;
        row.cells[0] = Trim(r.text(d::kNumber));
        row.cells[1] = PickerDate(r.text(d::kDocumentDate));
        row.cells[2] = Contains(imported, i) ? kNo : kYes;
        row.cells[3] = SerialText(r.single(d::kSerial));
        row.cells[4] = std::to_string(i);
        rows.push_back(std::move(row));
    }
}

void ListInvoices(const DataFiles& files, std::vector<SourceRow>& rows) {
    namespace d = document_record;
    const int count = RecordCount(files, tot::kInvoices);
    std::unordered_map<int, std::string> names;
    for (int i = 1; i <= count; ++i) {
        const auto r = files.read<InvoicesFile>(i);
        if (r.int16(d::kWord520) != 0) continue;
        const int code = r.int16(d::kCustomer);
        if (!IsCustomer(files, code)) continue;
        auto name = names.find(code);
        if (name == names.end())
            name = names.emplace(code, files.read<CustomersFile>(code).text(cli::kName1)).first;
        SourceRow row;
        row.record = i;
        row.cells[0] = r.text(d::kNumber);
        row.cells[1] = PickerDate(r.text(d::kDocumentDate));
        row.cells[2] = name->second;
        row.cells[3] = SerialText(r.single(d::kSerial));
        row.cells[4] = std::to_string(i);
        rows.push_back(std::move(row));
    }
}

void ListQuotes(const DataFiles& files, int customer, std::vector<SourceRow>& rows) {
    const int count = RecordCount(files, tot::kQuotes);
    for (int k = 1; k <= count; ++k) {
        const auto r = files.read<QuotesFile>(prv::RecordOf(k, 1));
        if (r.int16(prv::kCustomer) != customer || r.int16(prv::kState) != 0) continue;
        SourceRow row;
        row.record = k;
        row.cells[0] = r.text(prv::kNumber);
        row.cells[1] = PickerDate(r.text(prv::kDate));
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

std::string PickerDate(std::string_view d) {
    if (d.size() != 8) return std::string(d);
    std::string out;
    out.reserve(10);
    out.append(d.substr(6, 2))
        .append("/")
        .append(d.substr(4, 2))
        .append("/")
        .append(d.substr(0, 4));
    return out;
}

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

}  // namespace qorvana

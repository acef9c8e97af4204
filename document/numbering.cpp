#include "document/numbering.h"

#include <algorithm>
#include <cmath>

#include "core/civil_date.h"
#include "core/counters.h"
#include "core/data_files.h"
#include "core/numbers.h"
#include "core/session_codes.h"
#include "core/text.h"
#include "customers/customer_record.h"

namespace qorvana {
std::string DocumentNumberKey(std::string_view number) {
    const std::string text = Trim(number);
    if (!text.empty() && text.find_first_not_of("0123456789") == std::string::npos)
        return text.substr(std::min(text.find_first_not_of('0'), text.size() - 1));
    std::string key;
    for (char c : text) {
        if (c >= 'a' && c <= 'z')
            key += static_cast<char>(c - 'a' + 'A');
        else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            key += c;
    }
    return key;
}

bool NumberedInSeparateSeries(bool separateSeriesChosen, DocumentKind kind) {
    return separateSeriesChosen && kind == DocumentKind::ElectronicInvoice;
}

bool StoredInSeparateSeries(int recordNumber, const DocumentRecord& document,
                            const StoredSeries& series, bool fpaSeparateNumbering) {
    namespace d = document_record;
    if (document.int16(d::kKind) != static_cast<std::int16_t>(DocumentKind::ElectronicInvoice))
        return false;
    // An entry whose record holds another document (a posting that stopped before its
    // record was written, a record rewritten since) is not this document's.
    const auto entry = series.find(recordNumber);
    if (entry != series.end() && entry->second.date == document.text(d::kDocumentDate) &&
        DocumentNumberKey(entry->second.number) == DocumentNumberKey(document.text(d::kNumber)))
        return entry->second.separate;
    return fpaSeparateNumbering;
}

std::optional<std::int16_t> CounterWordValue(const std::string& text) {
    const double v = Val(text);
    if (v != std::floor(v) || v < 1 || v > kMaxCountedRecords) return std::nullopt;
    return static_cast<std::int16_t>(v);
}

bool SeriesNumbers::heldInAnotherYear(int number) const {
    return number >= 0 && static_cast<std::size_t>(number) < otherYears.size() &&
           otherYears[static_cast<std::size_t>(number)];
}

SeriesNumbers ScanSeriesNumbers(const DataFiles& files, const StoredSeries& series,
                                const NumberingScope& scope) {
    namespace d = document_record;
    SeriesNumbers numbers;
    numbers.otherYears.assign(kMaxCountedRecords + 1, false);
    const int count = UsableEntries(files, tot::kInvoices, kFte);
    files.scan<InvoicesFile>(1, count, [&](std::int32_t n, const DocumentRecord& r) {
        if (StoredInSeparateSeries(n, r, series, scope.fpaSeparateNumbering) !=
            scope.separateSeries)
            return;
        const auto number = CounterWordValue(r.text(d::kNumber));
        if (!number) return;
        if (Val(r.text(d::kDocumentDate).substr(0, 4)) == scope.year)
            numbers.highestOfYear = std::max<int>(numbers.highestOfYear, *number);
        else
            numbers.otherYears[static_cast<std::size_t>(*number)] = true;
    });
    return numbers;
}

Status NumberIsFree(const DataFiles& files, const StoredSeries& series, const NumberingScope& scope,
                    const std::string& number) {
    namespace d = document_record;
    const std::string key = DocumentNumberKey(number);
    const int count = UsableEntries(files, tot::kInvoices, kFte);
    std::optional<DocumentRecord> taken;  // the first stored document with the number
    files.scan<InvoicesFile>(1, count, [&](std::int32_t n, const DocumentRecord& r) {
        if (taken || Val(r.text(d::kDocumentDate).substr(0, 4)) != scope.year ||
            DocumentNumberKey(r.text(d::kNumber)) != key)
            return;
        if (StoredInSeparateSeries(n, r, series, scope.fpaSeparateNumbering) ==
            scope.separateSeries)
            taken = r;
    });
    if (!taken) return {};
    return Failure{"Il numero " + Trim(number) + " è già stato usato nel " +
                   std::to_string(scope.year) + " per il documento " +
                   StoredDocumentText(files, *taken) + ": correggere il numero del documento."};
}

std::string StoredDocumentText(const DataFiles& files, const DocumentRecord& document) {
    namespace d = document_record;
    const int customer = document.int16(d::kCustomer);
    std::string name = "n. " + std::to_string(customer);
    if (IsCustomerRecord(files, customer))
        name = Trim(files.read<CustomersFile>(customer).text(cli::kName1));
    return "n. " + Trim(document.text(d::kNumber)) + " del " +
           CivilDate::ShownFromRecord(document.text(d::kDocumentDate)) + ", cliente " + name;
}

NumberProposal ProposeNumbers(const std::optional<CountersRecord>& invoices,
                              const std::optional<CountersRecord>& fatturaPa, bool separateSeries,
                              int fpaState, const SeriesNumbers& stored) {
    NumberProposal proposal;
    if (fpaState > kFpaXmlNotWritten)
        proposal.transmissionNumber = fpaState;
    else if (fpaState == kFpaXmlNotWritten && fatturaPa) {
        const int last = fatturaPa->int16(tot::kRecordCount);
        if (last >= 0 && last < kMaxCountedRecords)
            proposal.transmissionNumber = last + 1;
        else
            proposal.transmissionCounterOutOfRange = last;
    }
    if (const auto& numbering = separateSeries ? fatturaPa : invoices) {
        const int last = numbering->int16(tot::kLastNumber);
        if (last < 0 || last >= kMaxCountedRecords) {
            proposal.counterOutOfRange = last;
            return proposal;
        }
        // Last year's last number does not count: the year starts again from 1.
        const int highest =
            std::max(stored.heldInAnotherYear(last) ? 0 : last, stored.highestOfYear);
        if (highest >= kMaxCountedRecords)
            proposal.yearFull = true;
        else
            proposal.documentNumber = highest + 1;
    }
    return proposal;
}

}  // namespace qorvana

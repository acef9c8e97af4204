#include "document/numbering.h"

#include <algorithm>
#include <cmath>

#include "core/counters.h"
#include "core/data_files.h"
#include "core/numbers.h"
#include "core/session_codes.h"

namespace qorvana {
namespace {

constexpr int kHighestNumber = 32767;

}  // namespace

int SeriesFpaState(DocumentKind kind, int fpaState) {
    return kind == DocumentKind::ElectronicInvoice ? fpaState : kFpaOrdinary;
}

bool InSeparateSeries(bool separateSeriesChosen, int fpaState) {
    return separateSeriesChosen && fpaState != kFpaOrdinary;
}

bool StoredInSeparateSeries(const DocumentRecord& document, bool fpaSeparateNumbering) {
    return fpaSeparateNumbering && document.int16(document_record::kKind) ==
                                       static_cast<std::int16_t>(DocumentKind::ElectronicInvoice);
}

std::optional<std::int16_t> CounterWordValue(const std::string& text) {
    const double v = Val(text);
    if (v != std::floor(v) || v < 1 || v > kHighestNumber) return std::nullopt;
    return static_cast<std::int16_t>(v);
}

bool SeriesNumbers::heldInAnotherYear(int number) const {
    return number >= 0 && static_cast<std::size_t>(number) < otherYears.size() &&
           otherYears[static_cast<std::size_t>(number)];
}

SeriesNumbers ScanSeriesNumbers(const DataFiles& files, const NumberingScope& scope) {
    namespace d = document_record;
    SeriesNumbers numbers;
    numbers.otherYears.assign(kHighestNumber + 1, false);
    const int count = UsableEntries(files, tot::kInvoices, kFte);
    files.scan<InvoicesFile>(1, count, [&](std::int32_t, const DocumentRecord& r) {
        if (StoredInSeparateSeries(r, scope.fpaSeparateNumbering) != scope.separateSeries) return;
        const auto number = CounterWordValue(r.text(d::kNumber));
        if (!number) return;
        if (Val(r.text(d::kDocumentDate).substr(0, 4)) == scope.year)
            numbers.highestOfYear = std::max<int>(numbers.highestOfYear, *number);
        else
            numbers.otherYears[static_cast<std::size_t>(*number)] = true;
    });
    return numbers;
}

NumberProposal ProposeNumbers(const std::optional<CountersRecord>& invoices,
                              const std::optional<CountersRecord>& fatturaPa, bool separateSeries,
                              int fpaState, const SeriesNumbers& stored) {
    NumberProposal proposal;
    if (fpaState > kFpaXmlNotWritten)
        proposal.transmissionNumber = fpaState;
    else if (fpaState == kFpaXmlNotWritten && fatturaPa) {
        const int last = fatturaPa->int16(tot::kRecordCount);
        if (last >= 0 && last < 32767)
            proposal.transmissionNumber = last + 1;
        else
            proposal.transmissionCounterOutOfRange = last;
    }
    if (const auto& numbering = separateSeries ? fatturaPa : invoices) {
        const int last = numbering->int16(tot::kLastNumber);
        if (last < 0 || last >= kHighestNumber) {
            proposal.counterOutOfRange = last;
            return proposal;
        }
        // Last year's last number does not count: the year starts again from 1.
        const int highest =
            std::max(stored.heldInAnotherYear(last) ? 0 : last, stored.highestOfYear);
        if (highest >= kHighestNumber)
            proposal.yearFull = true;
        else
            proposal.documentNumber = highest + 1;
    }
    return proposal;
}

}  // namespace qorvana

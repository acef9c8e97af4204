#pragma once
// Document numbers: the series a document is numbered in, and the number and transmission
// progressive proposed for a new document. The header proposes with these rules and
// posting writes the counters back with them.

#include <optional>

#include "startup/counters_record.h"

namespace qorvana {

// True when the document takes its number from the separate electronic-invoice series:
// the series is chosen and the document is an electronic invoice.
bool InSeparateSeries(bool separateSeriesChosen, int fpaState);

struct NumberProposal {
    std::optional<int> documentNumber;  // also the VAT register number
    // The series' last number lies outside 0..32766, so that no next number can be stored:
    // documentNumber is then nullopt and the operator must be told.
    std::optional<int> counterOutOfRange;
    std::optional<int> transmissionNumber;  // electronic invoices only
    // The last transmission progressive lies outside 0..32766 (a damaged or full counter):
    // no progressive is proposed and the operator must be told.
    std::optional<int> transmissionCounterOutOfRange;
};

// The numbers proposed for a new document from counters records 7 (`invoices`) and 5
// (`fatturaPa`), each nullopt when it could not be read: the last number of the document's
// series + 1, and the transmission's progressive (the XML's once written, else the last + 1).
NumberProposal ProposeNumbers(const std::optional<CountersRecord>& invoices,
                              const std::optional<CountersRecord>& fatturaPa, bool separateSeries,
                              int fpaState);

}  // namespace qorvana

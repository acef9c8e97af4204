#include "document/numbering.h"

#include "startup/session_codes.h"

namespace qorvana {

bool InSeparateSeries(bool separateSeriesChosen, int fpaState) {
    return separateSeriesChosen && fpaState != kFpaOrdinary;
}

NumberProposal ProposeNumbers(const std::optional<CountersRecord>& invoices,
                              const std::optional<CountersRecord>& fatturaPa, bool separateSeries,
                              int fpaState) {
    NumberProposal proposal;
    if (fpaState > kFpaXmlNotWritten)
        proposal.transmissionNumber = fpaState;
    else if (fpaState == kFpaXmlNotWritten && fatturaPa) {
        const int last = fatturaPa->int16(tot::kWord1);
        if (last >= 0 && last < 32767)
            proposal.transmissionNumber = last + 1;
        else
            proposal.transmissionCounterOutOfRange = last;
    }
    if (const auto& numbering = separateSeries ? fatturaPa : invoices) {
        const int last = numbering->int16(tot::kWord4);
        if (last >= 0 && last < 32767)
            proposal.documentNumber = last + 1;
        else
            proposal.counterOutOfRange = last;
    }
    return proposal;
}

}  // namespace qorvana

#include "document/numbering.h"

#include <gtest/gtest.h>

#include "startup/session_codes.h"

namespace qorvana {
namespace {

CountersRecord Counter(int records, int lastNumber) {
    CountersRecord r;
    r.setInt16(tot::kWord1, static_cast<std::int16_t>(records));
    r.setInt16(tot::kWord4, static_cast<std::int16_t>(lastNumber));
    return r;
}

// The ordinary and separate series and a full counter are also checked by the numbering
// operator scripts.
TEST(Numbering, ProposalFollowsTheDocumentsSeries) {
    const std::optional<CountersRecord> invoices = Counter(40, 120);
    const std::optional<CountersRecord> fatturaPa = Counter(17, 5);
    const std::optional<CountersRecord> unread;
    struct Case {
        const char* what;
        std::optional<CountersRecord> invoices, fatturaPa;
        bool seriesChosen;
        int fpaState;
        std::optional<int> number, transmission;
    };
    const auto none = std::nullopt;
    const Case cases[] = {
        {"series chosen, ordinary document", invoices, fatturaPa, true, kFpaOrdinary, 121, none},
        {"electronic, ordinary numbering", invoices, fatturaPa, false, kFpaXmlNotWritten, 121, 18},
        {"XML already written keeps its progressive", invoices, fatturaPa, true, 44, 6, 44},
        {"series counter unreadable", invoices, unread, true, kFpaXmlNotWritten, none, none},
        {"invoice counter unreadable", unread, fatturaPa, false, kFpaOrdinary, none, none},
        {"last -5: no next", Counter(40, -5), fatturaPa, false, kFpaOrdinary, none, none},
        {"last 32766", Counter(40, 32766), fatturaPa, false, kFpaOrdinary, 32767, none},
        {"transmissions damaged: no progressive", invoices, Counter(-4, 5), false,
         kFpaXmlNotWritten, 121, none},
        {"transmissions full: no progressive", invoices, Counter(32767, 5), false,
         kFpaXmlNotWritten, 121, none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const bool separate = InSeparateSeries(c.seriesChosen, c.fpaState);
        const NumberProposal p = ProposeNumbers(c.invoices, c.fatturaPa, separate, c.fpaState);
        EXPECT_EQ(p.documentNumber, c.number);
        EXPECT_EQ(p.transmissionNumber, c.transmission);
        const int lastProgressive = c.fatturaPa ? c.fatturaPa->int16(tot::kWord1) : 0;
        EXPECT_EQ(
            p.transmissionCounterOutOfRange.has_value(),
            c.fpaState == kFpaXmlNotWritten && (lastProgressive < 0 || lastProgressive > 32766));
        EXPECT_EQ(p.counterOutOfRange.has_value(), !p.documentNumber && c.invoices && c.fatturaPa);
    }
}

}  // namespace
}  // namespace qorvana

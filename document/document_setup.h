#pragma once
// What a new document of the body form starts from: the general settings' switches and the
// current customer's price list, VAT-code override and agent; and the agent search.

#include <optional>

namespace qorvana {

class DataFiles;
struct Session;

struct DocumentSetup {
    bool vatInclusive = false;       // scorporo starts ticked (general settings offset 242)
    bool barcode = false;            // barcode starts ticked (offset 244)
    int defaultVatCode = 1;          // offset 248, "01".."24"
    bool weightToStartForm = false;  // offset 250 = 1
    bool secondPriceList = false;    // customer offset 629 = "2"
    int customerVatCode = 0;         // customer offset 712; an override when 1..24
    int customerAgentCode = 0;       // customer offset 586
    // Whether the company has articles, receipts and delivery-note lines (counters 3, 8, 12).
    bool hasArticles = false;
    bool hasReceipts = false;
    bool hasDeliveryNotes = false;
};

// Reads the settings and the current customer (an absent customer gives its defaults).
DocumentSetup ReadDocumentSetup(const Session& session);

// Record number of the agent (1..count of counters record 16) whose four-character code has
// the numeric value `agentCode`; nullopt when none matches.
std::optional<int> FindAgentRecord(const DataFiles& files, int agentCode);

}  // namespace qorvana

#pragma once
// What a new document starts from: for the body form the general settings' switches and the
// current customer's price list, VAT-code override and agent; for the header form the numbers
// proposed and the customer's bank-receipt option and payment condition; and the agent search.

#include <optional>
#include <string>

#include "core/general_settings_record.h"
#include "core/result.h"
#include "customers/customer_record.h"
#include "document/document_draft.h"
#include "document/numbering.h"

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
    bool customerHasEmail = false;   // customer offset 714 not blank: e-mail proposed
    // Whether the company has articles, receipts and delivery-note lines (counters 3, 8, 12).
    bool hasArticles = false;
    bool hasReceipts = false;
    bool hasDeliveryNotes = false;
};

// Reads the general settings, the counters and customer `customer` (an absent customer gives
// its defaults).
DocumentSetup ReadDocumentSetup(const DataFiles& files, const GeneralSettingsRecord& settings,
                                int customer);
// The document's customer, customer `record` of the file: an absent one has no name.
DraftCustomer ReadDraftCustomer(const DataFiles& files, int record);

// What a new document's header starts from.
struct HeaderSetup {
    NumberProposal numbers;
    // The customer's bank-receipt option and the list entry of its payment condition (a
    // customer not in the file has neither); nullopt when the record could not be read.
    std::optional<bool> bankReceipt;
    std::optional<int> paymentEntry;
};

// Reads the counters, the numbers stored in `scope` (`series`: the company's qorvana.num as
// read) and the draft's customer for the header of a new document (the transmission's series
// only for an electronic invoice). A record that cannot be read fails with the message of the
// first one, carrying the set-up all the same: what that record feeds stays unset and
// everything else is read as usual.
Result<HeaderSetup> ReadHeaderSetup(const DataFiles& files, const Result<StoredSeries>& series,
                                    const DocumentDraft& draft, const NumberingScope& scope);
// The numbers proposed in `scope` from the counters and the stored documents of the series
// (`series`: the company's qorvana.num), as the header proposes them again when the date or the
// series changes; RecordIoError when a record cannot be read.
NumberProposal ReadNumberProposal(const DataFiles& files, const StoredSeries& series,
                                  const NumberingScope& scope, int fpaState);
// The company's qorvana.num: the series its stored electronic invoices were numbered in.
Result<StoredSeries> ReadCompanySeries(const Session& session);
// Customer `record` when it lies within the customers' count (counters record 1), else a
// blank record.
CustomerRecord ReadCountedCustomer(const DataFiles& files, int record);

// Record number of the agent (1..count of counters record 16) whose four-character code has
// the numeric value `agentCode`; nullopt when none matches.
std::optional<int> FindAgentRecord(const DataFiles& files, int agentCode);

}  // namespace qorvana

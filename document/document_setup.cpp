#include "document/document_setup.h"

#include "core/counters.h"
#include "core/counters_record.h"
#include "core/general_settings_record.h"
#include "core/numbers.h"
#include "core/session.h"
#include "core/text.h"
#include "customers/agent_record.h"
#include "customers/customer_record.h"
#include "document/payment_terms.h"

namespace qorvana {
namespace {

// The value `read` gives, or nullopt with the message of its failure kept in `error` (the
// first one only).
template <typename Read>
auto Trapped(std::string& error, Read read) -> std::optional<decltype(read())> {
    try {
        return read();
    } catch (const RecordIoError& e) {
        if (error.empty()) error = e.what();
        return std::nullopt;
    }
}

}  // namespace

DocumentSetup ReadDocumentSetup(const DataFiles& files, const GeneralSettingsRecord& g,
                                int customerRecord) {
    DocumentSetup s;
    s.vatInclusive = g.int16(gnr::kScorporo) != 0;
    s.barcode = g.int16(gnr::kBarcode) != 0;
    const double vat = Val(g.text(gnr::kDefaultVatCode));
    s.defaultVatCode = vat >= 1 && vat <= 24 ? static_cast<int>(vat) : 1;
    s.weightToStartForm = g.int16(gnr::kWeightSwitch) == 1;
    s.hasArticles = RecordCount(files, tot::kArticles) > 0;
    s.hasReceipts = RecordCount(files, tot::kReceipts) > 0;
    s.hasDeliveryNotes = RecordCount(files, tot::kDeliveryNoteLines) > 0;
    if (IsCustomerRecord(files, customerRecord)) {
        const auto customer = files.read<CustomersFile>(customerRecord);
        s.secondPriceList = customer.text(cli::kPriceList) == "2";
        s.customerVatCode = customer.int16(cli::kVatCodeOverride);
        s.customerAgentCode = customer.int16(cli::kAgentCode);
        s.customerHasEmail = !Trim(customer.text(cli::kEmail)).empty();
    }
    return s;
}

DraftCustomer ReadDraftCustomer(const DataFiles& files, int record) {
    DraftCustomer customer{record, "", ""};
    if (!IsCustomerRecord(files, record)) return customer;
    const auto c = files.read<CustomersFile>(record);
    customer.name = Trim(c.text(cli::kName1));
    customer.town = Trim(c.text(cli::kTown));
    return customer;
}

Result<HeaderSetup> ReadHeaderSetup(const DataFiles& files, const Result<StoredSeries>& series,
                                    const DocumentDraft& draft, const NumberingScope& scope) {
    HeaderSetup h;
    std::string readError;
    const auto invoices =
        Trapped(readError, [&] { return files.read<CountersFile>(tot::kInvoices); });
    const auto customer = Trapped(readError, [&] {
        const int n = draft.customer.record;
        return IsCustomerRecord(files, n) ? files.read<CustomersFile>(n) : CustomerRecord{};
    });
    std::optional<CountersRecord> fatturaPa;
    if (draft.electronic())
        fatturaPa = Trapped(readError, [&] { return files.read<CountersFile>(tot::kFatturaPa); });
    if (readError.empty()) readError = series.message();
    const auto stored = Trapped(
        readError, [&] { return ScanSeriesNumbers(files, series.valueOr(StoredSeries{}), scope); });
    h.numbers = ProposeNumbers(invoices, fatturaPa, scope.separateSeries, draft.fpaState,
                               stored.value_or(SeriesNumbers{}));
    if (customer) {
        h.bankReceipt = customer->int16(cli::kRibOption) == 1;
        h.paymentEntry = PaymentTerms::ListEntryOf(customer->int16(cli::kPaymentCondition));
    }
    if (!readError.empty()) return {Failure{readError}, h};
    return h;
}

NumberProposal ReadNumberProposal(const DataFiles& files, const StoredSeries& series,
                                  const NumberingScope& scope, int fpaState) {
    const auto invoices = files.read<CountersFile>(tot::kInvoices);
    const auto fatturaPa = files.read<CountersFile>(tot::kFatturaPa);
    return ProposeNumbers(invoices, fatturaPa, scope.separateSeries, fpaState,
                          ScanSeriesNumbers(files, series, scope));
}

Result<StoredSeries> ReadCompanySeries(const Session& session) {
    return ReadStoredSeries(session.companyFile(kSeriesFile), session.companyPath(kSeriesFile));
}

CustomerRecord ReadCountedCustomer(const DataFiles& files, int record) {
    if (record >= 1 && record <= RecordCount(files, tot::kCustomers))
        return files.read<CustomersFile>(record);
    return CustomerRecord{};
}

std::optional<int> FindAgentRecord(const DataFiles& files, int agentCode) {
    std::optional<int> found;
    files.scan<AgentsFile>(1, RecordCount(files, tot::kAgents),
                           [&](std::int32_t n, const AgentRecord& agent) {
                               if (!found && Val(agent.text(age::kCode)) == agentCode) found = n;
                           });
    return found;
}

}  // namespace qorvana

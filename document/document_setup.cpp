#include "document/document_setup.h"

#include "core/counters.h"
#include "core/counters_record.h"
#include "core/general_settings_record.h"
#include "core/numbers.h"
#include "core/session.h"
#include "customers/agent_record.h"
#include "customers/customer_record.h"

namespace qorvana {

DocumentSetup ReadDocumentSetup(const Session& session) {
    DocumentSetup s;
    const GeneralSettingsRecord& g = session.generalSettings;
    s.vatInclusive = g.int16(gnr::kScorporo) != 0;
    s.barcode = g.int16(gnr::kBarcode) != 0;
    const double vat = Val(g.text(gnr::kDefaultVatCode));
    s.defaultVatCode = vat >= 1 && vat <= 24 ? static_cast<int>(vat) : 1;
    s.weightToStartForm = g.int16(gnr::kWeightSwitch) == 1;
    s.hasArticles = RecordCount(session.files, tot::kArticles) > 0;
    s.hasReceipts = RecordCount(session.files, tot::kReceipts) > 0;
    s.hasDeliveryNotes = RecordCount(session.files, tot::kDeliveryNoteLines) > 0;
    if (IsCustomerRecord(session.files, session.currentCustomer)) {
        const auto customer = session.files.read<CustomersFile>(session.currentCustomer);
        s.secondPriceList = customer.text(cli::kPriceList) == "2";
        s.customerVatCode = customer.int16(cli::kVatCodeOverride);
        s.customerAgentCode = customer.int16(cli::kAgentCode);
    }
    return s;
}

std::optional<int> FindAgentRecord(const DataFiles& files, int agentCode) {
    const int count = RecordCount(files, tot::kAgents);
    for (int n = 1; n <= count; ++n) {
        const auto agent = files.read<AgentsFile>(n);
        if (Val(agent.text(age::kCode)) == agentCode) return n;
    }
    return std::nullopt;
}

}  // namespace qorvana

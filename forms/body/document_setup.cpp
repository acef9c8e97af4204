#include "forms/body/document_setup.h"

#include <algorithm>

#include "startup/numbers.h"
#include "startup/session.h"

namespace qorvana {
namespace {

// Fields this setup reads (layouts: general settings record, customers, agents, counters).
constexpr Field kGnrVatInclusive = Int16Field(242);
constexpr Field kGnrBarcode = Int16Field(244);
constexpr Field kGnrDefaultVat = TextField(248, 2);
constexpr Field kGnrWeightSwitch = Int16Field(250);
constexpr std::size_t kCustomerLength = 752;
constexpr Field kCustomerAgent = Int16Field(586);
constexpr Field kCustomerPriceList = TextField(629, 1);
constexpr Field kCustomerVatCode = Int16Field(712);
constexpr std::size_t kAgentLength = 600;
constexpr Field kAgentCode = TextField(478, 4);
constexpr int kAgentCounter = 16;

int CounterOf(const DataFiles& files, int n) {
    return std::max<int>(0, files.read<12>(kTot, n).int16(Int16Field(0)));
}

}  // namespace

DocumentSetup ReadDocumentSetup(const Session& session) {
    DocumentSetup s;
    const GeneralSettingsRecord& g = session.generalSettings;
    s.vatInclusive = g.int16(kGnrVatInclusive) != 0;
    s.barcode = g.int16(kGnrBarcode) != 0;
    const double vat = Val(g.text(kGnrDefaultVat));
    s.defaultVatCode = vat >= 1 && vat <= 24 ? static_cast<int>(vat) : 1;
    s.weightToStartForm = g.int16(kGnrWeightSwitch) == 1;
    if (session.currentCustomer >= 1) {
        const auto customer = session.files.read<kCustomerLength>(kCli, session.currentCustomer);
        s.secondPriceList = customer.text(kCustomerPriceList) == "2";
        s.customerVatCode = customer.int16(kCustomerVatCode);
        s.customerAgentCode = customer.int16(kCustomerAgent);
    }
    return s;
}

std::optional<int> FindAgentRecord(const DataFiles& files, int agentCode) {
    const int count = CounterOf(files, kAgentCounter);
    for (int n = 1; n <= count; ++n) {
        const auto agent = files.read<kAgentLength>(kAge, n);
        if (Val(agent.text(kAgentCode)) == agentCode) return n;
    }
    return std::nullopt;
}

}  // namespace qorvana

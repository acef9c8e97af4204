#include "forms/header/fpa_panel_values.h"
#include "startup/text.h"

#include <utility>

namespace qorvana {
namespace {

std::string Leading(const std::string& item, std::size_t characters) {
    return item.substr(0, std::min(characters, item.size()));
}

}  // namespace

std::vector<std::string> CopyPanelInto(FpaRecord& record, const FpaPanelValues& panel,
                                       const HeaderTables& tables,
                                       const FpaWithholding& withholding) {
    std::vector<std::string> cut;
    auto put = [&](const char* name, Field field, const std::string& text) {
        if (!record.setText(field, text)) cut.emplace_back(name);
    };
    const bool withheld = withholding.rate > 0;
    const auto& t4 = panel.text4;

    put("documentType", fpa::kDocumentType, Leading(panel.documentType, 4));
    put("documentDate", fpa::kDocumentDate, panel.documentDate);
    put("documentNumber", fpa::kDocumentNumber, Trim(panel.documentNumber, kBlanksAndTabs));
    put("ddtDate", fpa::kDdtDate, panel.dates[6]);
    put("ddtNumber", fpa::kDdtNumber, t4[1]);
    put("withholdingType", fpa::kWithholdingType,
        withheld ? Leading(panel.withholdingType, 4) : "");
    put("withholdingAmount", fpa::kWithholdingAmount, withheld ? withholding.amountText : "");
    put("withholdingRate", fpa::kWithholdingRate, withheld ? withholding.rateText : "");
    put("withholdingReason", fpa::kWithholdingReason,
        withheld ? Leading(panel.withholdingReason, 1) : "");
    for (Field f : {fpa::kFundType, fpa::kFundRate, fpa::kFundContribution, fpa::kFundTaxable,
                    fpa::kFundVatRate, fpa::kFundWithholding, fpa::kFundNature})
        record.setText(f, "");
    put("progressive", fpa::kProgressive, Trim(panel.progressive, kBlanksAndTabs));

    const std::pair<const char*, Field> references[] = {
        {"orderId", fpa::kOrderId},
        {"orderDate", fpa::kOrderDate},
        {"orderItem", fpa::kOrderItem},
        {"orderJobCode", fpa::kOrderJobCode},
        {"contractId", fpa::kContractId},
        {"contractDate", fpa::kContractDate},
        {"contractItem", fpa::kContractItem},
        {"contractJobCode", fpa::kContractJobCode},
        {"conventionId", fpa::kConventionId},
        {"conventionDate", fpa::kConventionDate},
        {"conventionItem", fpa::kConventionItem},
        {"conventionJobCode", fpa::kConventionJobCode},
        {"receptionId", fpa::kReceptionId},
        {"receptionDate", fpa::kReceptionDate},
        {"receptionItem", fpa::kReceptionItem},
        {"receptionJobCode", fpa::kReceptionJobCode},
    };
    // Each reference is id, date, item number, job code: Text4 2..13 and dsca 7..10.
    for (int block = 0; block < 4; ++block) {
        const auto* r = &references[block * 4];
        put(r[0].first, r[0].second, t4[2 + block * 3]);
        put(r[1].first, r[1].second, panel.dates[7 + block]);
        put(r[2].first, r[2].second, t4[3 + block * 3]);
        put(r[3].first, r[3].second, t4[4 + block * 3]);
    }
    put("cupCode", fpa::kCupCode, t4[14]);
    put("cigCode", fpa::kCigCode, t4[15]);

    static const std::array<std::string, 9> kNoCarrier{};
    const auto& carrier = panel.carrierRow >= 1 && panel.carrierRow <= 40
                              ? tables.carriers[panel.carrierRow]
                              : kNoCarrier;
    put("carrierCountry", fpa::kCarrierCountry, carrier[6]);
    put("carrierId", fpa::kCarrierId, carrier[7]);
    put("carrierTaxCode", fpa::kCarrierTaxCode, carrier[8]);
    put("carrierName", fpa::kCarrierName, carrier[2]);

    put("paymentCondition", fpa::kPaymentCondition, Leading(panel.paymentCondition, 4));
    put("paymentMode", fpa::kPaymentMode, Leading(panel.paymentMode, 4));
    put("art73", fpa::kArt73, panel.art73 ? "1" : "0");
    put("deferredVat", fpa::kDeferredVat, panel.deferredVat ? "1" : "0");
    return cut;
}

}  // namespace qorvana

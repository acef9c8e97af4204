#pragma once
// FpaRecord: record 1 of qorvana.fpa in the company folder, 2421 bytes, every field
// blank-padded text. The electronic-invoice settings of the seller (maintained outside this
// module) and the panel data that the XML export copies in before writing.

#include <array>
#include <cstddef>

#include "core/record.h"

namespace qorvana {

struct FpaLayout : RecordLayout<2421> {};
using FpaRecord = Record<FpaLayout>;

namespace fpa {
inline constexpr std::size_t kLength = FpaLayout::kLength;
inline constexpr auto kFields = DeclareFields<FpaLayout>({
    {"marker", TextField(0, 3), "file marker"},
    {"transmitterCountry", TextField(3, 2), "transmitter and seller country code"},
    {"transmitterId", TextField(5, 28), "transmitter identifier"},
    {"recipientCode", TextField(33, 6), "recipient code"},
    {"sellerTaxCode", TextField(39, 16), "seller tax code"},
    {"sellerVatNumber", TextField(55, 12), "seller VAT number"},
    {"taxRegimeIndex", TextField(67, 2), "tax-regime index, zero-based"},
    {"companyKind", TextField(69, 1), "company-kind flag"},
    {"registerFlag", TextField(70, 1), "company-register flag"},
    {"registerOffice", TextField(71, 2), "register office (province)"},
    {"registerNumber", TextField(73, 20), "register number"},
    {"shareCapital", TextField(93, 14), "share capital"},
    {"singleMember", TextField(107, 2), "single-member code"},
    {"liquidation", TextField(109, 2), "liquidation code"},
    {"sellerName", TextField(111, 80), "seller company name"},
    {"sellerSurname", TextField(191, 60), "seller surname"},
    {"sellerFirstName", TextField(251, 60), "seller first name"},
    {"sellerAddress", TextField(311, 60), "seller street address"},
    {"carried371", CarriedField(371, 8), "not read"},
    {"sellerPostcode", TextField(379, 5), "seller postcode"},
    {"sellerTown", TextField(384, 60), "seller town"},
    {"sellerProvince", TextField(444, 2), "seller province"},
    {"sellerCountry", TextField(446, 2), "seller country"},
    {"establishmentAddress", TextField(448, 60), "establishment street address"},
    {"carried508", CarriedField(508, 8), "not read"},
    {"establishmentPostcode", TextField(516, 5), "establishment postcode"},
    {"establishmentTown", TextField(521, 60), "establishment town"},
    {"establishmentProvince", TextField(581, 2), "establishment province"},
    {"establishmentCountry", TextField(583, 2), "establishment country"},
    {"sellerPhone", TextField(585, 12), "seller telephone"},
    {"sellerFax", TextField(597, 12), "seller fax"},
    {"sellerEmail", TextField(609, 98), "seller e-mail"},
    {"separateSeries", TextField(707, 1), "1: own number series for FatturaPA"},
    {"seriesPosition", TextField(708, 1), "series of FatturaPA documents: its list position"},
    {"documentType", TextField(709, 4), "document type code"},
    {"documentDate", TextField(713, 10), "document date dd/mm/yyyy"},
    {"documentNumber", TextField(723, 20), "document number"},
    {"ddtDate", TextField(743, 10), "delivery-note date"},
    {"ddtNumber", TextField(753, 20), "delivery-note number"},
    {"withholdingType", TextField(773, 4), "withholding type code"},
    {"withholdingAmount", TextField(777, 15), "withholding amount"},
    {"withholdingRate", TextField(792, 6), "withholding rate"},
    {"withholdingReason", TextField(798, 1), "withholding reason letter"},
    {"fundType", TextField(799, 4), "pension-fund type"},
    {"fundRate", TextField(803, 6), "pension-fund rate"},
    {"fundContribution", TextField(809, 15), "pension-fund contribution"},
    {"fundTaxable", TextField(824, 15), "pension-fund taxable amount"},
    {"fundVatRate", TextField(839, 6), "pension-fund VAT rate"},
    {"fundWithholding", TextField(845, 2), "pension-fund withholding mark"},
    {"fundNature", TextField(847, 2), "pension-fund nature"},
    {"progressive", TextField(849, 6), "transmission progressive"},
    {"orderId", TextField(855, 20), "purchase-order id"},
    {"orderDate", TextField(875, 10), "purchase-order date"},
    {"orderItem", TextField(885, 10), "purchase-order item number"},
    {"orderJobCode", TextField(895, 10), "purchase-order job/convention code"},
    {"contractId", TextField(905, 20), "contract id"},
    {"contractDate", TextField(925, 10), "contract date"},
    {"contractItem", TextField(935, 10), "contract item number"},
    {"contractJobCode", TextField(945, 10), "contract job/convention code"},
    {"conventionId", TextField(955, 20), "convention id"},
    {"conventionDate", TextField(975, 10), "convention date"},
    {"conventionItem", TextField(985, 10), "convention item number"},
    {"conventionJobCode", TextField(995, 10), "convention job code"},
    {"receptionId", TextField(1005, 20), "reception id"},
    {"receptionDate", TextField(1025, 10), "reception date"},
    {"receptionItem", TextField(1035, 10), "reception item number"},
    {"receptionJobCode", TextField(1045, 10), "reception job code"},
    {"cupCode", TextField(1055, 15), "CUP code"},
    {"cigCode", TextField(1070, 15), "CIG code"},
    {"carrierCountry", TextField(1085, 2), "carrier country"},
    {"carrierId", TextField(1087, 28), "carrier identifier"},
    {"carrierTaxCode", TextField(1115, 16), "carrier tax code"},
    {"carrierName", TextField(1131, 80), "carrier name"},
    {"paymentCondition", TextField(1211, 4), "payment condition code"},
    {"paymentMode", TextField(1215, 4), "payment mode code"},
    {"art73", TextField(1219, 1), "Art73 mark 1/0"},
    {"deferredVat", TextField(1220, 1), "deferred VAT chargeability 1/0"},
    {"carried1221", CarriedField(1221, 1000), "not read"},
    {"xmlFolder", TextField(2221, 200), "folder that receives the XML files"},
});

inline constexpr auto kMarker = kFields["marker"];
inline constexpr auto kTransmitterCountry = kFields["transmitterCountry"];
inline constexpr auto kTransmitterId = kFields["transmitterId"];
inline constexpr auto kRecipientCode = kFields["recipientCode"];
inline constexpr auto kSellerTaxCode = kFields["sellerTaxCode"];
inline constexpr auto kSellerVatNumber = kFields["sellerVatNumber"];
inline constexpr auto kTaxRegimeIndex = kFields["taxRegimeIndex"];
inline constexpr auto kCompanyKind = kFields["companyKind"];
inline constexpr auto kRegisterFlag = kFields["registerFlag"];
inline constexpr auto kRegisterOffice = kFields["registerOffice"];
inline constexpr auto kRegisterNumber = kFields["registerNumber"];
inline constexpr auto kShareCapital = kFields["shareCapital"];
inline constexpr auto kSingleMember = kFields["singleMember"];
inline constexpr auto kLiquidation = kFields["liquidation"];
inline constexpr auto kSellerName = kFields["sellerName"];
inline constexpr auto kSellerSurname = kFields["sellerSurname"];
inline constexpr auto kSellerFirstName = kFields["sellerFirstName"];
inline constexpr auto kSellerAddress = kFields["sellerAddress"];
inline constexpr auto kCarried371 = kFields["carried371"];
inline constexpr auto kSellerPostcode = kFields["sellerPostcode"];
inline constexpr auto kSellerTown = kFields["sellerTown"];
inline constexpr auto kSellerProvince = kFields["sellerProvince"];
inline constexpr auto kSellerCountry = kFields["sellerCountry"];
inline constexpr auto kEstablishmentAddress = kFields["establishmentAddress"];
inline constexpr auto kCarried508 = kFields["carried508"];
inline constexpr auto kEstablishmentPostcode = kFields["establishmentPostcode"];
inline constexpr auto kEstablishmentTown = kFields["establishmentTown"];
inline constexpr auto kEstablishmentProvince = kFields["establishmentProvince"];
inline constexpr auto kEstablishmentCountry = kFields["establishmentCountry"];
inline constexpr auto kSellerPhone = kFields["sellerPhone"];
inline constexpr auto kSellerFax = kFields["sellerFax"];
inline constexpr auto kSellerEmail = kFields["sellerEmail"];
inline constexpr auto kSeparateSeries = kFields["separateSeries"];
inline constexpr auto kSeriesPosition = kFields["seriesPosition"];
inline constexpr auto kDocumentType = kFields["documentType"];
inline constexpr auto kDocumentDate = kFields["documentDate"];
inline constexpr auto kDocumentNumber = kFields["documentNumber"];
inline constexpr auto kDdtDate = kFields["ddtDate"];
inline constexpr auto kDdtNumber = kFields["ddtNumber"];
inline constexpr auto kWithholdingType = kFields["withholdingType"];
inline constexpr auto kWithholdingAmount = kFields["withholdingAmount"];
inline constexpr auto kWithholdingRate = kFields["withholdingRate"];
inline constexpr auto kWithholdingReason = kFields["withholdingReason"];
inline constexpr auto kFundType = kFields["fundType"];
inline constexpr auto kFundRate = kFields["fundRate"];
inline constexpr auto kFundContribution = kFields["fundContribution"];
inline constexpr auto kFundTaxable = kFields["fundTaxable"];
inline constexpr auto kFundVatRate = kFields["fundVatRate"];
inline constexpr auto kFundWithholding = kFields["fundWithholding"];
inline constexpr auto kFundNature = kFields["fundNature"];
inline constexpr auto kProgressive = kFields["progressive"];
inline constexpr auto kOrderId = kFields["orderId"];
inline constexpr auto kOrderDate = kFields["orderDate"];
inline constexpr auto kOrderItem = kFields["orderItem"];
inline constexpr auto kOrderJobCode = kFields["orderJobCode"];
inline constexpr auto kContractId = kFields["contractId"];
inline constexpr auto kContractDate = kFields["contractDate"];
inline constexpr auto kContractItem = kFields["contractItem"];
inline constexpr auto kContractJobCode = kFields["contractJobCode"];
inline constexpr auto kConventionId = kFields["conventionId"];
inline constexpr auto kConventionDate = kFields["conventionDate"];
inline constexpr auto kConventionItem = kFields["conventionItem"];
inline constexpr auto kConventionJobCode = kFields["conventionJobCode"];
inline constexpr auto kReceptionId = kFields["receptionId"];
inline constexpr auto kReceptionDate = kFields["receptionDate"];
inline constexpr auto kReceptionItem = kFields["receptionItem"];
inline constexpr auto kReceptionJobCode = kFields["receptionJobCode"];
inline constexpr auto kCupCode = kFields["cupCode"];
inline constexpr auto kCigCode = kFields["cigCode"];
inline constexpr auto kCarrierCountry = kFields["carrierCountry"];
inline constexpr auto kCarrierId = kFields["carrierId"];
inline constexpr auto kCarrierTaxCode = kFields["carrierTaxCode"];
inline constexpr auto kCarrierName = kFields["carrierName"];
inline constexpr auto kPaymentCondition = kFields["paymentCondition"];
inline constexpr auto kPaymentMode = kFields["paymentMode"];
inline constexpr auto kArt73 = kFields["art73"];
inline constexpr auto kDeferredVat = kFields["deferredVat"];
inline constexpr auto kCarried1221 = kFields["carried1221"];
inline constexpr auto kXmlFolder = kFields["xmlFolder"];

inline constexpr Layout kLayout = kFields.layout("fpa");
}  // namespace fpa

}  // namespace qorvana

#pragma once
// FpaRecord: record 1 of qorvana.fpa in the company folder, 2421 bytes, every field
// blank-padded text. The electronic-invoice settings of the seller (maintained outside this
// module) and the panel data that the XML export copies in before writing.
//
//  #   offset width  meaning
//  1      0    3   file marker, "0" when the header form finds no file
//  2      3    2   transmitter and seller country code
//  3      5   28   transmitter identifier
//  4     33    6   recipient code (from the customer at export)
//  5     39   16   seller tax code
//  6     55   12   seller VAT number
//  7     67    2   tax-regime index, zero-based, as digits
//  8     69    1   company-kind flag ("2": share capital and single member)
//  9     70    1   register flag ("1": company-register block)
// 10     71    2   register office (province)
// 11     73   20   register number
// 12     93   14   share capital
// 13    107    2   single-member code
// 14    109    2   liquidation code
// 15    111   80   seller company name
// 16    191   60   seller surname
// 17    251   60   seller first name
// 18    311   60   seller street address
// 19    371    8   carried, not read
// 20    379    5   seller postcode
// 21    384   60   seller town
// 22    444    2   seller province
// 23    446    2   seller country
// 24    448   60   permanent establishment street address
// 25    508    8   carried, not read
// 26    516    5   establishment postcode
// 27    521   60   establishment town
// 28    581    2   establishment province
// 29    583    2   establishment country
// 30    585   12   seller telephone
// 31    597   12   seller fax
// 32    609   98   seller e-mail
// 33    707    1   "1": FatturaPA documents have their own number series
// 34    708    1   list position of Combo5 for FatturaPA documents
// 35    709    4   document type code (TD..)
// 36    713   10   document date dd/mm/yyyy
// 37    723   20   document number
// 38    743   10   delivery-note (DDT) date
// 39    753   20   DDT number
// 40    773    4   withholding type code (RT..)
// 41    777   15   withholding amount
// 42    792    6   withholding rate
// 43    798    1   withholding reason letter
// 44    799    4   pension-fund type (always blank)
// 45    803    6   pension-fund rate (always blank)
// 46    809   15   pension-fund contribution (always blank)
// 47    824   15   pension-fund taxable amount (always blank)
// 48    839    6   pension-fund VAT rate (always blank)
// 49    845    2   pension-fund withholding mark (always blank)
// 50    847    2   pension-fund nature (always blank)
// 51    849    6   transmission progressive
// 52    855   20   purchase-order id
// 53    875   10   purchase-order date
// 54    885   10   purchase-order item number
// 55    895   10   purchase-order job/convention code
// 56    905   20   contract id
// 57    925   10   contract date
// 58    935   10   contract item number
// 59    945   10   contract job/convention code
// 60    955   20   convention id
// 61    975   10   convention date
// 62    985   10   convention item number
// 63    995   10   convention job code
// 64   1005   20   reception id
// 65   1025   10   reception date
// 66   1035   10   reception item number
// 67   1045   10   reception job code
// 68   1055   15   CUP code
// 69   1070   15   CIG code
// 70   1085    2   carrier country
// 71   1087   28   carrier identifier
// 72   1115   16   carrier tax code
// 73   1131   80   carrier name
// 74   1211    4   payment condition code (TP..)
// 75   1215    4   payment mode code (MP..)
// 76   1219    1   Art73 mark, "1" or "0"
// 77   1220    1   deferred VAT chargeability, "1" or "0"
// 78   1221 1000   carried, not read
// 79   2221  200   folder that receives the XML files

#include <array>
#include <cstddef>

#include "core/record.h"

namespace qorvana {

inline constexpr std::size_t kFpaRecordLength = 2421;
using FpaRecord = Record<kFpaRecordLength>;

namespace fpa {
inline constexpr Field kMarker = TextField(0, 3);
inline constexpr Field kTransmitterCountry = TextField(3, 2);
inline constexpr Field kTransmitterId = TextField(5, 28);
inline constexpr Field kRecipientCode = TextField(33, 6);
inline constexpr Field kSellerTaxCode = TextField(39, 16);
inline constexpr Field kSellerVatNumber = TextField(55, 12);
inline constexpr Field kTaxRegimeIndex = TextField(67, 2);
inline constexpr Field kCompanyKind = TextField(69, 1);
inline constexpr Field kRegisterFlag = TextField(70, 1);
inline constexpr Field kRegisterOffice = TextField(71, 2);
inline constexpr Field kRegisterNumber = TextField(73, 20);
inline constexpr Field kShareCapital = TextField(93, 14);
inline constexpr Field kSingleMember = TextField(107, 2);
inline constexpr Field kLiquidation = TextField(109, 2);
inline constexpr Field kSellerName = TextField(111, 80);
inline constexpr Field kSellerSurname = TextField(191, 60);
inline constexpr Field kSellerFirstName = TextField(251, 60);
inline constexpr Field kSellerAddress = TextField(311, 60);
inline constexpr Field kCarried371 = CarriedField(371, 8);
inline constexpr Field kSellerPostcode = TextField(379, 5);
inline constexpr Field kSellerTown = TextField(384, 60);
inline constexpr Field kSellerProvince = TextField(444, 2);
inline constexpr Field kSellerCountry = TextField(446, 2);
inline constexpr Field kEstablishmentAddress = TextField(448, 60);
inline constexpr Field kCarried508 = CarriedField(508, 8);
inline constexpr Field kEstablishmentPostcode = TextField(516, 5);
inline constexpr Field kEstablishmentTown = TextField(521, 60);
inline constexpr Field kEstablishmentProvince = TextField(581, 2);
inline constexpr Field kEstablishmentCountry = TextField(583, 2);
inline constexpr Field kSellerPhone = TextField(585, 12);
inline constexpr Field kSellerFax = TextField(597, 12);
inline constexpr Field kSellerEmail = TextField(609, 98);
inline constexpr Field kSeparateSeries = TextField(707, 1);
inline constexpr Field kCombo5Position = TextField(708, 1);
inline constexpr Field kDocumentType = TextField(709, 4);
inline constexpr Field kDocumentDate = TextField(713, 10);
inline constexpr Field kDocumentNumber = TextField(723, 20);
inline constexpr Field kDdtDate = TextField(743, 10);
inline constexpr Field kDdtNumber = TextField(753, 20);
inline constexpr Field kWithholdingType = TextField(773, 4);
inline constexpr Field kWithholdingAmount = TextField(777, 15);
inline constexpr Field kWithholdingRate = TextField(792, 6);
inline constexpr Field kWithholdingReason = TextField(798, 1);
inline constexpr Field kFundType = TextField(799, 4);
inline constexpr Field kFundRate = TextField(803, 6);
inline constexpr Field kFundContribution = TextField(809, 15);
inline constexpr Field kFundTaxable = TextField(824, 15);
inline constexpr Field kFundVatRate = TextField(839, 6);
inline constexpr Field kFundWithholding = TextField(845, 2);
inline constexpr Field kFundNature = TextField(847, 2);
inline constexpr Field kProgressive = TextField(849, 6);
inline constexpr Field kOrderId = TextField(855, 20);
inline constexpr Field kOrderDate = TextField(875, 10);
inline constexpr Field kOrderItem = TextField(885, 10);
inline constexpr Field kOrderJobCode = TextField(895, 10);
inline constexpr Field kContractId = TextField(905, 20);
inline constexpr Field kContractDate = TextField(925, 10);
inline constexpr Field kContractItem = TextField(935, 10);
inline constexpr Field kContractJobCode = TextField(945, 10);
inline constexpr Field kConventionId = TextField(955, 20);
inline constexpr Field kConventionDate = TextField(975, 10);
inline constexpr Field kConventionItem = TextField(985, 10);
inline constexpr Field kConventionJobCode = TextField(995, 10);
inline constexpr Field kReceptionId = TextField(1005, 20);
inline constexpr Field kReceptionDate = TextField(1025, 10);
inline constexpr Field kReceptionItem = TextField(1035, 10);
inline constexpr Field kReceptionJobCode = TextField(1045, 10);
inline constexpr Field kCupCode = TextField(1055, 15);
inline constexpr Field kCigCode = TextField(1070, 15);
inline constexpr Field kCarrierCountry = TextField(1085, 2);
inline constexpr Field kCarrierId = TextField(1087, 28);
inline constexpr Field kCarrierTaxCode = TextField(1115, 16);
inline constexpr Field kCarrierName = TextField(1131, 80);
inline constexpr Field kPaymentCondition = TextField(1211, 4);
inline constexpr Field kPaymentMode = TextField(1215, 4);
inline constexpr Field kArt73 = TextField(1219, 1);
inline constexpr Field kDeferredVat = TextField(1220, 1);
inline constexpr Field kCarried1221 = CarriedField(1221, 1000);
inline constexpr Field kXmlFolder = TextField(2221, 200);
}  // namespace fpa

// The layout in offset order, for record-dump and the layout check.
inline constexpr std::array<FieldDef, 79> kFpaFields = {{
    {"marker", fpa::kMarker, "file marker"},
    {"transmitterCountry", fpa::kTransmitterCountry, "transmitter and seller country code"},
    {"transmitterId", fpa::kTransmitterId, "transmitter identifier"},
    {"recipientCode", fpa::kRecipientCode, "recipient code"},
    {"sellerTaxCode", fpa::kSellerTaxCode, "seller tax code"},
    {"sellerVatNumber", fpa::kSellerVatNumber, "seller VAT number"},
    {"taxRegimeIndex", fpa::kTaxRegimeIndex, "tax-regime index, zero-based"},
    {"companyKind", fpa::kCompanyKind, "company-kind flag"},
    {"registerFlag", fpa::kRegisterFlag, "company-register flag"},
    {"registerOffice", fpa::kRegisterOffice, "register office (province)"},
    {"registerNumber", fpa::kRegisterNumber, "register number"},
    {"shareCapital", fpa::kShareCapital, "share capital"},
    {"singleMember", fpa::kSingleMember, "single-member code"},
    {"liquidation", fpa::kLiquidation, "liquidation code"},
    {"sellerName", fpa::kSellerName, "seller company name"},
    {"sellerSurname", fpa::kSellerSurname, "seller surname"},
    {"sellerFirstName", fpa::kSellerFirstName, "seller first name"},
    {"sellerAddress", fpa::kSellerAddress, "seller street address"},
    {"carried371", fpa::kCarried371, "not read"},
    {"sellerPostcode", fpa::kSellerPostcode, "seller postcode"},
    {"sellerTown", fpa::kSellerTown, "seller town"},
    {"sellerProvince", fpa::kSellerProvince, "seller province"},
    {"sellerCountry", fpa::kSellerCountry, "seller country"},
    {"establishmentAddress", fpa::kEstablishmentAddress, "establishment street address"},
    {"carried508", fpa::kCarried508, "not read"},
    {"establishmentPostcode", fpa::kEstablishmentPostcode, "establishment postcode"},
    {"establishmentTown", fpa::kEstablishmentTown, "establishment town"},
    {"establishmentProvince", fpa::kEstablishmentProvince, "establishment province"},
    {"establishmentCountry", fpa::kEstablishmentCountry, "establishment country"},
    {"sellerPhone", fpa::kSellerPhone, "seller telephone"},
    {"sellerFax", fpa::kSellerFax, "seller fax"},
    {"sellerEmail", fpa::kSellerEmail, "seller e-mail"},
    {"separateSeries", fpa::kSeparateSeries, "1: own number series for FatturaPA"},
    {"combo5Position", fpa::kCombo5Position, "Combo5 position for FatturaPA"},
    {"documentType", fpa::kDocumentType, "document type code"},
    {"documentDate", fpa::kDocumentDate, "document date dd/mm/yyyy"},
    {"documentNumber", fpa::kDocumentNumber, "document number"},
    {"ddtDate", fpa::kDdtDate, "delivery-note date"},
    {"ddtNumber", fpa::kDdtNumber, "delivery-note number"},
    {"withholdingType", fpa::kWithholdingType, "withholding type code"},
    {"withholdingAmount", fpa::kWithholdingAmount, "withholding amount"},
    {"withholdingRate", fpa::kWithholdingRate, "withholding rate"},
    {"withholdingReason", fpa::kWithholdingReason, "withholding reason letter"},
    {"fundType", fpa::kFundType, "pension-fund type"},
    {"fundRate", fpa::kFundRate, "pension-fund rate"},
    {"fundContribution", fpa::kFundContribution, "pension-fund contribution"},
    {"fundTaxable", fpa::kFundTaxable, "pension-fund taxable amount"},
    {"fundVatRate", fpa::kFundVatRate, "pension-fund VAT rate"},
    {"fundWithholding", fpa::kFundWithholding, "pension-fund withholding mark"},
    {"fundNature", fpa::kFundNature, "pension-fund nature"},
    {"progressive", fpa::kProgressive, "transmission progressive"},
    {"orderId", fpa::kOrderId, "purchase-order id"},
    {"orderDate", fpa::kOrderDate, "purchase-order date"},
    {"orderItem", fpa::kOrderItem, "purchase-order item number"},
    {"orderJobCode", fpa::kOrderJobCode, "purchase-order job/convention code"},
    {"contractId", fpa::kContractId, "contract id"},
    {"contractDate", fpa::kContractDate, "contract date"},
    {"contractItem", fpa::kContractItem, "contract item number"},
    {"contractJobCode", fpa::kContractJobCode, "contract job/convention code"},
    {"conventionId", fpa::kConventionId, "convention id"},
    {"conventionDate", fpa::kConventionDate, "convention date"},
    {"conventionItem", fpa::kConventionItem, "convention item number"},
    {"conventionJobCode", fpa::kConventionJobCode, "convention job code"},
    {"receptionId", fpa::kReceptionId, "reception id"},
    {"receptionDate", fpa::kReceptionDate, "reception date"},
    {"receptionItem", fpa::kReceptionItem, "reception item number"},
    {"receptionJobCode", fpa::kReceptionJobCode, "reception job code"},
    {"cupCode", fpa::kCupCode, "CUP code"},
    {"cigCode", fpa::kCigCode, "CIG code"},
    {"carrierCountry", fpa::kCarrierCountry, "carrier country"},
    {"carrierId", fpa::kCarrierId, "carrier identifier"},
    {"carrierTaxCode", fpa::kCarrierTaxCode, "carrier tax code"},
    {"carrierName", fpa::kCarrierName, "carrier name"},
    {"paymentCondition", fpa::kPaymentCondition, "payment condition code"},
    {"paymentMode", fpa::kPaymentMode, "payment mode code"},
    {"art73", fpa::kArt73, "Art73 mark 1/0"},
    {"deferredVat", fpa::kDeferredVat, "deferred VAT chargeability 1/0"},
    {"carried1221", fpa::kCarried1221, "not read"},
    {"xmlFolder", fpa::kXmlFolder, "folder that receives the XML files"},
}};
static_assert(FieldsCover(kFpaFields, kFpaRecordLength), "FpaRecord fields must cover 2421 bytes");

inline constexpr Layout kFpaLayout{"fpa", kFpaRecordLength, kFpaFields};

}  // namespace qorvana

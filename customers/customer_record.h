#pragma once
// Customer record `cli` (qorvana.cli, channel 1, 752 bytes); the customer number is the
// record number. Read only by this program.

#include <array>

#include "core/data_file_types.h"

namespace qorvana {

namespace cli {
inline constexpr std::size_t kLength = CustomersFile::Record::kLength;
inline constexpr auto kFields = DeclareFields<CustomerLayout>({
    {"name1", TextField(0, 40), "name, line 1 (registered office heading)"},
    {"name2", TextField(40, 40), "name, line 2"},
    {"address", TextField(80, 40), "registered office address"},
    {"town", TextField(120, 40), "registered office town"},
    {"postcode", TextField(160, 5), "registered office postcode"},
    {"adminName1", TextField(165, 40), "administrative office heading, line 1"},
    {"adminName2", TextField(205, 40), "administrative office heading, line 2"},
    {"adminAddress", TextField(245, 40), "administrative office address"},
    {"adminTown", TextField(285, 40), "administrative office town"},
    {"adminPostcode", TextField(325, 5), "administrative office postcode"},
    {"phone1", TextField(330, 15), "telephone 1"},
    {"phone2", TextField(345, 15), "telephone 2"},
    {"phone3", TextField(360, 15), "telephone 3"},
    {"vatNumber", TextField(375, 11), "VAT number"},
    {"taxCode", TextField(386, 16), "tax code"},
    {"carrier1", TextField(402, 40), "usual carrier, line 1"},
    {"carrier2", TextField(442, 40), "usual carrier, line 2"},
    {"carrier3", TextField(482, 32), "usual carrier, line 3"},
    {"paFlag", TextField(514, 1), "public-administration flag (1 = may receive FatturaPA)"},
    {"recipientCode", TextField(515, 6),
     "e-invoice recipient code, or its first 6 characters when it has 7"},
    {"recipientCodeSeventh", TextField(521, 1), "7th character of a 7-character recipient code"},
    {"bankText", TextField(522, 36), "bank text printed with the document"},
    {"ibanPrefix", TextField(558, 4), "IBAN country code and check digits"},
    {"abi", TextField(562, 5), "ABI (bank code)"},
    {"cab", TextField(567, 5), "CAB (branch code)"},
    {"bankAccount", TextField(572, 12), "bank account number"},
    {"paymentCondition", Int16Field(584), "payment condition number (1..60)"},
    {"agentCode", Int16Field(586), "code of the customer's agent"},
    {"carried588", Int16Field(588), "carried"},
    {"carried590", Int16Field(590), "carried"},
    {"ribOption", Int16Field(592), "option of the header's rib box (1 = checked)"},
    {"customerAccount", TextField(594, 8), "customer account code"},
    {"revenueAccount", TextField(602, 8), "revenue account code"},
    {"vatAccount", TextField(610, 8), "VAT account code"},
    {"outsideVatAccount", TextField(618, 8), "account code for amounts outside VAT"},
    {"vatPrefix", TextField(626, 2), "prefix shown beside the VAT number"},
    {"carried628", TextField(628, 1), "carried"},
    {"priceList", TextField(629, 1), "price-list choice"},
    {"carried630", TextField(630, 1), "carried"},
    {"carried631", TextField(631, 1), "carried"},
    {"cin", TextField(632, 1), "CIN (check character)"},
    {"notes1", TextField(633, 37), "notes for documents, line 1"},
    {"carried670", TextField(670, 1), "carried"},
    {"carried671", Int16Field(671), "carried"},
    {"notes2", TextField(673, 37), "notes for documents, line 2"},
    {"carried710", TextField(710, 1), "carried"},
    {"carried711", TextField(711, 1), "carried"},
    {"vatCodeOverride", Int16Field(712), "VAT code (1..24) for lines from delivery notes"},
    {"email", TextField(714, 36), "e-mail address"},
    {"deleted", Int16Field(750), "deleted flag (1 = deleted)"},
});

inline constexpr auto kName1 = kFields["name1"];
inline constexpr auto kName2 = kFields["name2"];
inline constexpr auto kAddress = kFields["address"];
inline constexpr auto kTown = kFields["town"];
inline constexpr auto kPostcode = kFields["postcode"];
inline constexpr auto kAdminName1 = kFields["adminName1"];
inline constexpr auto kAdminName2 = kFields["adminName2"];
inline constexpr auto kAdminAddress = kFields["adminAddress"];
inline constexpr auto kAdminTown = kFields["adminTown"];
inline constexpr auto kAdminPostcode = kFields["adminPostcode"];
inline constexpr auto kPhone1 = kFields["phone1"];
inline constexpr auto kPhone2 = kFields["phone2"];
inline constexpr auto kPhone3 = kFields["phone3"];
inline constexpr auto kVatNumber = kFields["vatNumber"];
inline constexpr auto kTaxCode = kFields["taxCode"];
inline constexpr auto kCarrier1 = kFields["carrier1"];
inline constexpr auto kCarrier2 = kFields["carrier2"];
inline constexpr auto kCarrier3 = kFields["carrier3"];
inline constexpr auto kPaFlag = kFields["paFlag"];
inline constexpr auto kRecipientCode = kFields["recipientCode"];
inline constexpr auto kRecipientCodeSeventh = kFields["recipientCodeSeventh"];
inline constexpr auto kBankText = kFields["bankText"];
inline constexpr auto kIbanPrefix = kFields["ibanPrefix"];
inline constexpr auto kAbi = kFields["abi"];
inline constexpr auto kCab = kFields["cab"];
inline constexpr auto kBankAccount = kFields["bankAccount"];
inline constexpr auto kPaymentCondition = kFields["paymentCondition"];
inline constexpr auto kAgentCode = kFields["agentCode"];
inline constexpr auto kCarried588 = kFields["carried588"];
inline constexpr auto kCarried590 = kFields["carried590"];
inline constexpr auto kRibOption = kFields["ribOption"];
inline constexpr auto kCustomerAccount = kFields["customerAccount"];
inline constexpr auto kRevenueAccount = kFields["revenueAccount"];
inline constexpr auto kVatAccount = kFields["vatAccount"];
inline constexpr auto kOutsideVatAccount = kFields["outsideVatAccount"];
inline constexpr auto kVatPrefix = kFields["vatPrefix"];
inline constexpr auto kPriceList = kFields["priceList"];
inline constexpr auto kCin = kFields["cin"];
inline constexpr auto kNotes1 = kFields["notes1"];
inline constexpr auto kCarried671 = kFields["carried671"];
inline constexpr auto kNotes2 = kFields["notes2"];
inline constexpr auto kVatCodeOverride = kFields["vatCodeOverride"];
inline constexpr auto kEmail = kFields["email"];
inline constexpr auto kDeleted = kFields["deleted"];

inline constexpr Layout kLayout = kFields.layout("cli");
}  // namespace cli

using CustomerRecord = CustomersFile::Record;

}  // namespace qorvana

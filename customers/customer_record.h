#pragma once
// Customer record `cli` (qorvana.cli, channel 1, 752 bytes); the customer number is the
// record number. Read only by this program.
//   offset width type   meaning
//   0      40    text   name, line 1 (registered office heading)
//   40     40    text   name, line 2
//   80     40    text   registered office address
//   120    40    text   registered office town
//   160    5     text   registered office postcode
//   165    40    text   administrative office heading, line 1
//   205    40    text   administrative office heading, line 2
//   245    40    text   administrative office address
//   285    40    text   administrative office town
//   325    5     text   administrative office postcode
//   330    15    text   telephone 1
//   345    15    text   telephone 2
//   360    15    text   telephone 3
//   375    11    text   VAT number
//   386    16    text   tax code
//   402    40    text   usual carrier, line 1
//   442    40    text   usual carrier, line 2
//   482    32    text   usual carrier, line 3
//   514    1     text   public-administration flag ("1")
//   515    6     text   carried
//   521    1     text   carried
//   522    36    text   bank text printed with the document
//   558    4     text   IBAN country code and check digits
//   562    5     text   ABI (bank code)
//   567    5     text   CAB (branch code)
//   572    12    text   account number
//   584    2     int16  payment condition number (1..60)
//   586    2     int16  agent code
//   588    2     int16  carried
//   590    2     int16  carried
//   592    2     int16  option of the header's rib box (1 = checked)
//   594    8     text   customer account code
//   602    8     text   revenue account code
//   610    8     text   VAT account code
//   618    8     text   account code for amounts outside VAT
//   626    2     text   prefix shown beside the VAT number
//   628    1     text   carried
//   629    1     text   price-list choice
//   630    1     text   carried
//   631    1     text   carried
//   632    1     text   CIN (check character)
//   633    37    text   notes for documents, line 1
//   670    1     text   carried
//   671    2     int16  carried
//   673    37    text   notes for documents, line 2
//   710    1     text   carried
//   711    1     text   carried
//   712    2     int16  VAT-code override (1..24) for lines imported from delivery notes
//   714    36    text   e-mail address
//   750    2     int16  deleted flag (1 = deleted; name line 1 then starts with a marker)

#include <array>

#include "core/data_file_types.h"

namespace qorvana {

namespace cli {
inline constexpr std::size_t kLength = CustomersFile::Record::kLength;
inline constexpr Field kName1 = TextField(0, 40);
inline constexpr Field kName2 = TextField(40, 40);
inline constexpr Field kAddress = TextField(80, 40);
inline constexpr Field kTown = TextField(120, 40);
inline constexpr Field kPostcode = TextField(160, 5);
inline constexpr Field kAdminName1 = TextField(165, 40);
inline constexpr Field kAdminName2 = TextField(205, 40);
inline constexpr Field kAdminAddress = TextField(245, 40);
inline constexpr Field kAdminTown = TextField(285, 40);
inline constexpr Field kAdminPostcode = TextField(325, 5);
inline constexpr Field kPhone1 = TextField(330, 15);
inline constexpr Field kPhone2 = TextField(345, 15);
inline constexpr Field kPhone3 = TextField(360, 15);
inline constexpr Field kVatNumber = TextField(375, 11);
inline constexpr Field kTaxCode = TextField(386, 16);
inline constexpr Field kCarrier1 = TextField(402, 40);
inline constexpr Field kCarrier2 = TextField(442, 40);
inline constexpr Field kCarrier3 = TextField(482, 32);
inline constexpr Field kPaFlag = TextField(514, 1);
inline constexpr Field kCarried515 = TextField(515, 6);
inline constexpr Field kCarried521 = TextField(521, 1);
inline constexpr Field kBankText = TextField(522, 36);
inline constexpr Field kIbanPrefix = TextField(558, 4);
inline constexpr Field kAbi = TextField(562, 5);
inline constexpr Field kCab = TextField(567, 5);
inline constexpr Field kBankAccount = TextField(572, 12);
inline constexpr Field kPaymentCondition = Int16Field(584);
inline constexpr Field kAgentCode = Int16Field(586);
inline constexpr Field kCarried588 = Int16Field(588);
inline constexpr Field kCarried590 = Int16Field(590);
inline constexpr Field kRibOption = Int16Field(592);
inline constexpr Field kCustomerAccount = TextField(594, 8);
inline constexpr Field kRevenueAccount = TextField(602, 8);
inline constexpr Field kVatAccount = TextField(610, 8);
inline constexpr Field kOutsideVatAccount = TextField(618, 8);
inline constexpr Field kVatPrefix = TextField(626, 2);
inline constexpr Field kCarried628 = TextField(628, 1);
inline constexpr Field kPriceList = TextField(629, 1);
inline constexpr Field kCarried630 = TextField(630, 1);
inline constexpr Field kCarried631 = TextField(631, 1);
inline constexpr Field kCin = TextField(632, 1);
inline constexpr Field kNotes1 = TextField(633, 37);
inline constexpr Field kCarried670 = TextField(670, 1);
inline constexpr Field kCarried671 = Int16Field(671);
inline constexpr Field kNotes2 = TextField(673, 37);
inline constexpr Field kCarried710 = TextField(710, 1);
inline constexpr Field kCarried711 = TextField(711, 1);
inline constexpr Field kVatCodeOverride = Int16Field(712);
inline constexpr Field kEmail = TextField(714, 36);
inline constexpr Field kDeleted = Int16Field(750);

inline constexpr std::array<FieldDef, 50> kFields{{
    {"name1", kName1, "name, line 1 (registered office heading)"},
    {"name2", kName2, "name, line 2"},
    {"address", kAddress, "registered office address"},
    {"town", kTown, "registered office town"},
    {"postcode", kPostcode, "registered office postcode"},
    {"adminName1", kAdminName1, "administrative office heading, line 1"},
    {"adminName2", kAdminName2, "administrative office heading, line 2"},
    {"adminAddress", kAdminAddress, "administrative office address"},
    {"adminTown", kAdminTown, "administrative office town"},
    {"adminPostcode", kAdminPostcode, "administrative office postcode"},
    {"phone1", kPhone1, "telephone 1"},
    {"phone2", kPhone2, "telephone 2"},
    {"phone3", kPhone3, "telephone 3"},
    {"vatNumber", kVatNumber, "VAT number"},
    {"taxCode", kTaxCode, "tax code"},
    {"carrier1", kCarrier1, "usual carrier, line 1"},
    {"carrier2", kCarrier2, "usual carrier, line 2"},
    {"carrier3", kCarrier3, "usual carrier, line 3"},
    {"paFlag", kPaFlag, "public-administration flag (1 = may receive FatturaPA)"},
    {"carried515", kCarried515, "carried"},
    {"carried521", kCarried521, "carried"},
    {"bankText", kBankText, "bank text printed with the document"},
    {"ibanPrefix", kIbanPrefix, "IBAN country code and check digits"},
    {"abi", kAbi, "ABI (bank code)"},
    {"cab", kCab, "CAB (branch code)"},
    {"bankAccount", kBankAccount, "bank account number"},
    {"paymentCondition", kPaymentCondition, "payment condition number (1..60)"},
    {"agentCode", kAgentCode, "code of the customer's agent"},
    {"carried588", kCarried588, "carried"},
    {"carried590", kCarried590, "carried"},
    {"ribOption", kRibOption, "option of the header's rib box (1 = checked)"},
    {"customerAccount", kCustomerAccount, "customer account code"},
    {"revenueAccount", kRevenueAccount, "revenue account code"},
    {"vatAccount", kVatAccount, "VAT account code"},
    {"outsideVatAccount", kOutsideVatAccount, "account code for amounts outside VAT"},
    {"vatPrefix", kVatPrefix, "prefix shown beside the VAT number"},
    {"carried628", kCarried628, "carried"},
    {"priceList", kPriceList, "price-list choice"},
    {"carried630", kCarried630, "carried"},
    {"carried631", kCarried631, "carried"},
    {"cin", kCin, "CIN (check character)"},
    {"notes1", kNotes1, "notes for documents, line 1"},
    {"carried670", kCarried670, "carried"},
    {"carried671", kCarried671, "carried"},
    {"notes2", kNotes2, "notes for documents, line 2"},
    {"carried710", kCarried710, "carried"},
    {"carried711", kCarried711, "carried"},
    {"vatCodeOverride", kVatCodeOverride, "VAT code (1..24) for lines from delivery notes"},
    {"email", kEmail, "e-mail address"},
    {"deleted", kDeleted, "deleted flag (1 = deleted)"},
}};
static_assert(FieldsCover(kFields, kLength));
inline constexpr Layout kLayout{"cli", kLength, kFields};
}  // namespace cli

using CustomerRecord = CustomersFile::Record;

}  // namespace qorvana

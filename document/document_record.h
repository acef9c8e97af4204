#pragma once
// Document record of qorvana.fte (invoices and credit notes) and qorvana.ric (receipts),
// 522 bytes. Texts blank-padded Windows-1252, dates yyyymmdd.
//
// | Offset | Width  | Type   | Meaning                                                    |
// |--------|--------|--------|------------------------------------------------------------|
// | 0      | 2      | int16  | customer record number in qorvana.cli                      |
// | 2      | 10     | text   | document number as typed (header text2(0))                 |
// | 12     | 2      | int16  | header list Combo2: position + 1                           |
// | 14     | 8      | text   | registration date (header text3(2))                        |
// | 22     | 8      | text   | document date (header text3(1))                            |
// | 30     | 8 x 4  | text   | due dates 1..4                                             |
// | 62     | 8 x 4  | text   | payment dates 1..4 (empty)                                 |
// | 94     | 8 x 8  | double | taxable amount of VAT codes 1..8                           |
// | 158    | 8 x 8  | double | VAT of codes 1..8                                          |
// | 222    | 8 x 8  | double | outside-VAT amounts of codes 13..20                        |
// | 286    | 8 x 4  | double | due-date amounts 1..4                                      |
// | 318    | 8 x 4  | double | paid amounts 1..4 (0)                                      |
// | 350    | 2      | int16  | document kind 0/1/7; in qorvana.ric: receipt still open    |
// | 352    | 2      | int16  | bank receipt (header rib)                                  |
// | 354    | 2      | int16  | 0                                                          |
// | 356    | 40     | text   | payment condition number (Combo1 position + 1) as text     |
// | 396    | 2      | int16  | 0                                                          |
// | 398    | 2      | int16  | 0                                                          |
// | 400    | 2      | text   | empty                                                      |
// | 402    | 4      | text   | agent commission rate (header pro(0))                      |
// | 406    | 8      | double | agent commission amount (header pro(1))                    |
// | 414    | 2      | int16  | header list Combo3: position + 1                           |
// | 416    | 2      | int16  | header list Combo4: position + 1                           |
// | 418    | 8      | double | header text2(11)                                           |
// | 426    | 8      | double | header text2(12)                                           |
// | 434    | 8      | double | VAT register number (header text2(3))                      |
// | 442    | 2      | int16  | header list Combo5: position from 0                        |
// | 444    | 8      | double | date and time of issue (days since 30/12/1899)             |
// | 452    | 1      | text   | "1"/"0" xxiva(0) spesometro                                |
// | 453    | 1      | text   | "1"/"0" xxiva(2) VAT not shown                             |
// | 454    | 1      | text   | "1"/"0" xxiva(4) summary document                          |
// | 455    | 4      | single | document serial (names the line file "f" + serial)         |
// | 459    | 1      | text   | "1"/"0" VAT collectable on payment (header esig)           |
// | 460    | 1      | text   | carried                                                    |
// | 461    | 1      | text   | "0", or leasing vehicle kind (Combo7 position + 1)         |
// | 462    | 1      | text   | "1"/"0" xxiva(3) self-invoice                              |
// | 463    | 33     | text   | carried                                                    |
// | 496    | 8 x 3  | double | carried                                                    |
// | 520    | 2      | int16  | 0                                                          |

#include <array>

#include "core/data_file_types.h"

namespace qorvana {

using DocumentRecord = InvoicesFile::Record;

namespace document_record {

inline constexpr Field kCustomer = Int16Field(0);
inline constexpr Field kNumber = TextField(2, 10);
inline constexpr Field kCombo2 = Int16Field(12);
inline constexpr Field kRegistrationDate = TextField(14, 8);
inline constexpr Field kDocumentDate = TextField(22, 8);
inline constexpr Field kDueDate = TextField(30, 8);      // x 4
inline constexpr Field kPaymentDate = TextField(62, 8);  // x 4
inline constexpr Field kTaxable = DoubleField(94);       // x 8, codes 1..8
inline constexpr Field kVat = DoubleField(158);          // x 8, codes 1..8
inline constexpr Field kOutsideVat = DoubleField(222);   // x 8, codes 13..20
inline constexpr Field kDueAmount = DoubleField(286);    // x 4
inline constexpr Field kPaidAmount = DoubleField(318);   // x 4
inline constexpr Field kKind = Int16Field(350);          // receipt file: open mark
inline constexpr Field kBankReceipt = Int16Field(352);
inline constexpr Field kWord354 = Int16Field(354);
inline constexpr Field kPaymentTerms = TextField(356, 40);
inline constexpr Field kWord396 = Int16Field(396);
inline constexpr Field kWord398 = Int16Field(398);
inline constexpr Field kText400 = TextField(400, 2);
inline constexpr Field kCommissionRate = TextField(402, 4);
inline constexpr Field kCommissionAmount = DoubleField(406);
inline constexpr Field kCombo3 = Int16Field(414);
inline constexpr Field kCombo4 = Int16Field(416);
inline constexpr Field kHeaderValue11 = DoubleField(418);
inline constexpr Field kHeaderValue12 = DoubleField(426);
inline constexpr Field kVatRegisterNumber = DoubleField(434);
inline constexpr Field kCombo5 = Int16Field(442);
inline constexpr Field kIssueMoment = DoubleField(444);
inline constexpr Field kSpesometro = TextField(452, 1);
inline constexpr Field kVatNotShown = TextField(453, 1);
inline constexpr Field kSummaryDocument = TextField(454, 1);
inline constexpr Field kSerial = SingleField(455);
inline constexpr Field kVatOnPayment = TextField(459, 1);
inline constexpr Field kCarried460 = TextField(460, 1);
inline constexpr Field kLeasingVehicle = TextField(461, 1);
inline constexpr Field kSelfInvoice = TextField(462, 1);
inline constexpr Field kCarried463 = TextField(463, 33);
inline constexpr Field kCarriedDouble = DoubleField(496);  // x 3
inline constexpr Field kWord520 = Int16Field(520);

inline constexpr int kDueDates = 4;
inline constexpr int kVatSlots = 8;

inline constexpr std::array<FieldDef, 74> kFields{{
    {"customer", kCustomer, "customer record number in qorvana.cli"},
    {"number", kNumber, "document number as typed"},
    {"combo2", kCombo2, "header list Combo2: position + 1"},
    {"registrationDate", kRegistrationDate, "registration date yyyymmdd"},
    {"documentDate", kDocumentDate, "document date yyyymmdd"},
    {"dueDate1", DocumentRecord::At(kDueDate, 0), "due date 1"},
    {"dueDate2", DocumentRecord::At(kDueDate, 1), "due date 2"},
    {"dueDate3", DocumentRecord::At(kDueDate, 2), "due date 3"},
    {"dueDate4", DocumentRecord::At(kDueDate, 3), "due date 4"},
    {"paymentDate1", DocumentRecord::At(kPaymentDate, 0), "payment date 1"},
    {"paymentDate2", DocumentRecord::At(kPaymentDate, 1), "payment date 2"},
    {"paymentDate3", DocumentRecord::At(kPaymentDate, 2), "payment date 3"},
    {"paymentDate4", DocumentRecord::At(kPaymentDate, 3), "payment date 4"},
    {"taxable1", DocumentRecord::At(kTaxable, 0), "taxable amount of VAT code 1"},
    {"taxable2", DocumentRecord::At(kTaxable, 1), "taxable amount of VAT code 2"},
    {"taxable3", DocumentRecord::At(kTaxable, 2), "taxable amount of VAT code 3"},
    {"taxable4", DocumentRecord::At(kTaxable, 3), "taxable amount of VAT code 4"},
    {"taxable5", DocumentRecord::At(kTaxable, 4), "taxable amount of VAT code 5"},
    {"taxable6", DocumentRecord::At(kTaxable, 5), "taxable amount of VAT code 6"},
    {"taxable7", DocumentRecord::At(kTaxable, 6), "taxable amount of VAT code 7"},
    {"taxable8", DocumentRecord::At(kTaxable, 7), "taxable amount of VAT code 8"},
    {"vat1", DocumentRecord::At(kVat, 0), "VAT of code 1"},
    {"vat2", DocumentRecord::At(kVat, 1), "VAT of code 2"},
    {"vat3", DocumentRecord::At(kVat, 2), "VAT of code 3"},
    {"vat4", DocumentRecord::At(kVat, 3), "VAT of code 4"},
    {"vat5", DocumentRecord::At(kVat, 4), "VAT of code 5"},
    {"vat6", DocumentRecord::At(kVat, 5), "VAT of code 6"},
    {"vat7", DocumentRecord::At(kVat, 6), "VAT of code 7"},
    {"vat8", DocumentRecord::At(kVat, 7), "VAT of code 8"},
    {"outsideVat13", DocumentRecord::At(kOutsideVat, 0), "outside-VAT amount of code 13"},
    {"outsideVat14", DocumentRecord::At(kOutsideVat, 1), "outside-VAT amount of code 14"},
    {"outsideVat15", DocumentRecord::At(kOutsideVat, 2), "outside-VAT amount of code 15"},
    {"outsideVat16", DocumentRecord::At(kOutsideVat, 3), "outside-VAT amount of code 16"},
    {"outsideVat17", DocumentRecord::At(kOutsideVat, 4), "outside-VAT amount of code 17"},
    {"outsideVat18", DocumentRecord::At(kOutsideVat, 5), "outside-VAT amount of code 18"},
    {"outsideVat19", DocumentRecord::At(kOutsideVat, 6), "outside-VAT amount of code 19"},
    {"outsideVat20", DocumentRecord::At(kOutsideVat, 7), "outside-VAT amount of code 20"},
    {"dueAmount1", DocumentRecord::At(kDueAmount, 0), "due-date amount 1"},
    {"dueAmount2", DocumentRecord::At(kDueAmount, 1), "due-date amount 2"},
    {"dueAmount3", DocumentRecord::At(kDueAmount, 2), "due-date amount 3"},
    {"dueAmount4", DocumentRecord::At(kDueAmount, 3), "due-date amount 4"},
    {"paidAmount1", DocumentRecord::At(kPaidAmount, 0), "paid amount 1"},
    {"paidAmount2", DocumentRecord::At(kPaidAmount, 1), "paid amount 2"},
    {"paidAmount3", DocumentRecord::At(kPaidAmount, 2), "paid amount 3"},
    {"paidAmount4", DocumentRecord::At(kPaidAmount, 3), "paid amount 4"},
    {"kind", kKind, "document kind 0/1/7; receipts: 1 while still to invoice"},
    {"bankReceipt", kBankReceipt, "bank receipt (rib)"},
    {"word354", kWord354, "0"},
    {"paymentTerms", kPaymentTerms, "payment condition number as text"},
    {"word396", kWord396, "0"},
    {"word398", kWord398, "0"},
    {"text400", kText400, "empty"},
    {"commissionRate", kCommissionRate, "agent commission rate"},
    {"commissionAmount", kCommissionAmount, "agent commission amount"},
    {"combo3", kCombo3, "header list Combo3: position + 1"},
    {"combo4", kCombo4, "header list Combo4: position + 1"},
    {"headerValue11", kHeaderValue11, "header text2(11)"},
    {"headerValue12", kHeaderValue12, "header text2(12)"},
    {"vatRegisterNumber", kVatRegisterNumber, "VAT register number (text2(3))"},
    {"combo5", kCombo5, "header list Combo5: position from 0"},
    {"issueMoment", kIssueMoment, "date and time of issue"},
    {"spesometro", kSpesometro, "\"1\"/\"0\" report in spesometro"},
    {"vatNotShown", kVatNotShown, "\"1\"/\"0\" VAT not shown"},
    {"summaryDocument", kSummaryDocument, "\"1\"/\"0\" summary document"},
    {"serial", kSerial, "document serial"},
    {"vatOnPayment", kVatOnPayment, "\"1\"/\"0\" VAT collectable on payment"},
    {"carried460", kCarried460, "carried"},
    {"leasingVehicle", kLeasingVehicle, "\"0\" or leasing vehicle kind"},
    {"selfInvoice", kSelfInvoice, "\"1\"/\"0\" self-invoice"},
    {"carried463", kCarried463, "carried"},
    {"carriedDouble1", DocumentRecord::At(kCarriedDouble, 0), "carried"},
    {"carriedDouble2", DocumentRecord::At(kCarriedDouble, 1), "carried"},
    {"carriedDouble3", DocumentRecord::At(kCarriedDouble, 2), "carried"},
    {"word520", kWord520, "0"},
}};
static_assert(FieldsCover(kFields, DocumentRecord::kLength));

inline constexpr Layout kLayout{"fte", DocumentRecord::kLength, kFields};

}  // namespace document_record

// Sets every text field of `fields` to blanks (new records are written blank-padded).
template <std::size_t N, std::size_t M>
void BlankTextFields(Record<N>& record, const std::array<FieldDef, M>& fields) {
    for (const auto& def : fields)
        if (def.field.type == FieldType::Text) record.setText(def.field, "");
}

// A record as posting starts it: texts blank, numbers 0.
DocumentRecord NewDocumentRecord();

}  // namespace qorvana

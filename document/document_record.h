#pragma once
// Document record of qorvana.fte (invoices and credit notes) and qorvana.ric (receipts),
// 522 bytes. Texts blank-padded Windows-1252, dates yyyymmdd.

#include <array>

#include "core/data_file_types.h"

namespace qorvana {

using DocumentRecord = InvoicesFile::Record;

namespace document_record {

inline constexpr auto kFields = DeclareFields<DocumentLayout>({
    {"customer", Int16Field(0), "customer record number in qorvana.cli"},
    {"number", TextField(2, 10), "document number as typed"},
    {"bank1", Int16Field(12), "first bank: entry of the bank list + 1"},
    {"registrationDate", TextField(14, 8), "registration date yyyymmdd"},
    {"documentDate", TextField(22, 8), "document date yyyymmdd"},
    {"dueDate1", TextField(30, 8), "due date 1"},
    {"dueDate2", TextField(38, 8), "due date 2"},
    {"dueDate3", TextField(46, 8), "due date 3"},
    {"dueDate4", TextField(54, 8), "due date 4"},
    {"paymentDate1", TextField(62, 8), "payment date 1"},
    {"paymentDate2", TextField(70, 8), "payment date 2"},
    {"paymentDate3", TextField(78, 8), "payment date 3"},
    {"paymentDate4", TextField(86, 8), "payment date 4"},
    {"taxable1", DoubleField(94), "taxable amount of VAT code 1"},
    {"taxable2", DoubleField(102), "taxable amount of VAT code 2"},
    {"taxable3", DoubleField(110), "taxable amount of VAT code 3"},
    {"taxable4", DoubleField(118), "taxable amount of VAT code 4"},
    {"taxable5", DoubleField(126), "taxable amount of VAT code 5"},
    {"taxable6", DoubleField(134), "taxable amount of VAT code 6"},
    {"taxable7", DoubleField(142), "taxable amount of VAT code 7"},
    {"taxable8", DoubleField(150), "taxable amount of VAT code 8"},
    {"vat1", DoubleField(158), "VAT of code 1"},
    {"vat2", DoubleField(166), "VAT of code 2"},
    {"vat3", DoubleField(174), "VAT of code 3"},
    {"vat4", DoubleField(182), "VAT of code 4"},
    {"vat5", DoubleField(190), "VAT of code 5"},
    {"vat6", DoubleField(198), "VAT of code 6"},
    {"vat7", DoubleField(206), "VAT of code 7"},
    {"vat8", DoubleField(214), "VAT of code 8"},
    {"outsideVat13", DoubleField(222), "outside-VAT amount of code 13"},
    {"outsideVat14", DoubleField(230), "outside-VAT amount of code 14"},
    {"outsideVat15", DoubleField(238), "outside-VAT amount of code 15"},
    {"outsideVat16", DoubleField(246), "outside-VAT amount of code 16"},
    {"outsideVat17", DoubleField(254), "outside-VAT amount of code 17"},
    {"outsideVat18", DoubleField(262), "outside-VAT amount of code 18"},
    {"outsideVat19", DoubleField(270), "outside-VAT amount of code 19"},
    {"outsideVat20", DoubleField(278), "outside-VAT amount of code 20"},
    {"dueAmount1", DoubleField(286), "due-date amount 1"},
    {"dueAmount2", DoubleField(294), "due-date amount 2"},
    {"dueAmount3", DoubleField(302), "due-date amount 3"},
    {"dueAmount4", DoubleField(310), "due-date amount 4"},
    {"paidAmount1", DoubleField(318), "paid amount 1"},
    {"paidAmount2", DoubleField(326), "paid amount 2"},
    {"paidAmount3", DoubleField(334), "paid amount 3"},
    {"paidAmount4", DoubleField(342), "paid amount 4"},
    {"kind", Int16Field(350), "document kind 0/1/7; receipts: 1 while still to invoice"},
    {"bankReceipt", Int16Field(352), "bank receipt (rib)"},
    {"word354", Int16Field(354), "0"},
    {"paymentTerms", TextField(356, 40), "payment condition number as text"},
    {"word396", Int16Field(396), "0"},
    {"word398", Int16Field(398), "0"},
    {"text400", TextField(400, 2), "empty"},
    {"commissionRate", TextField(402, 4), "agent commission rate"},
    {"commissionAmount", DoubleField(406), "agent commission amount"},
    {"bank2", Int16Field(414), "second bank: entry of the bank list + 1"},
    {"bank3", Int16Field(416), "third bank: entry of the bank list + 1"},
    {"additionalAmount1", DoubleField(418), "first additional amount"},
    {"additionalAmount2", DoubleField(426), "second additional amount"},
    {"vatRegisterNumber", DoubleField(434), "VAT register number"},
    {"series", Int16Field(442), "series: entry of the series table, from 0"},
    {"issueMoment", DoubleField(444), "date and time of issue"},
    {"spesometro", TextField(452, 1), "\"1\"/\"0\" report in spesometro"},
    {"vatNotShown", TextField(453, 1), "\"1\"/\"0\" VAT not shown"},
    {"summaryDocument", TextField(454, 1), "\"1\"/\"0\" summary document"},
    {"serial", SingleField(455), "document serial"},
    {"vatOnPayment", TextField(459, 1), "\"1\"/\"0\" VAT collectable on payment"},
    {"carried460", TextField(460, 1), "carried"},
    {"leasingVehicle", TextField(461, 1), "\"0\" or leasing vehicle kind"},
    {"selfInvoice", TextField(462, 1), "\"1\"/\"0\" self-invoice"},
    {"carried463", TextField(463, 33), "carried"},
    {"carriedDouble1", DoubleField(496), "carried"},
    {"carriedDouble2", DoubleField(504), "carried"},
    {"carriedDouble3", DoubleField(512), "carried"},
    {"word520", Int16Field(520), "0"},
});

inline constexpr auto kCustomer = kFields["customer"];
inline constexpr auto kNumber = kFields["number"];
inline constexpr auto kBank1 = kFields["bank1"];
inline constexpr auto kRegistrationDate = kFields["registrationDate"];
inline constexpr auto kDocumentDate = kFields["documentDate"];
inline constexpr auto kDueDate = kFields["dueDate1"];          // x 4
inline constexpr auto kPaymentDate = kFields["paymentDate1"];  // x 4
inline constexpr auto kTaxable = kFields["taxable1"];          // x 8, codes 1..8
inline constexpr auto kVat = kFields["vat1"];                  // x 8, codes 1..8
inline constexpr auto kOutsideVat = kFields["outsideVat13"];   // x 8, codes 13..20
inline constexpr auto kDueAmount = kFields["dueAmount1"];      // x 4
inline constexpr auto kPaidAmount = kFields["paidAmount1"];    // x 4
inline constexpr auto kKind = kFields["kind"];                 // receipt file: open mark
inline constexpr auto kBankReceipt = kFields["bankReceipt"];
inline constexpr auto kWord354 = kFields["word354"];
inline constexpr auto kPaymentTerms = kFields["paymentTerms"];
inline constexpr auto kCommissionRate = kFields["commissionRate"];
inline constexpr auto kCommissionAmount = kFields["commissionAmount"];
inline constexpr auto kBank2 = kFields["bank2"];
inline constexpr auto kBank3 = kFields["bank3"];
inline constexpr auto kAdditionalAmount1 = kFields["additionalAmount1"];
inline constexpr auto kAdditionalAmount2 = kFields["additionalAmount2"];
inline constexpr auto kVatRegisterNumber = kFields["vatRegisterNumber"];
inline constexpr auto kSeries = kFields["series"];
inline constexpr auto kIssueMoment = kFields["issueMoment"];
inline constexpr auto kSpesometro = kFields["spesometro"];
inline constexpr auto kVatNotShown = kFields["vatNotShown"];
inline constexpr auto kSummaryDocument = kFields["summaryDocument"];
inline constexpr auto kSerial = kFields["serial"];
inline constexpr auto kVatOnPayment = kFields["vatOnPayment"];
inline constexpr auto kCarried460 = kFields["carried460"];
inline constexpr auto kLeasingVehicle = kFields["leasingVehicle"];
inline constexpr auto kSelfInvoice = kFields["selfInvoice"];
inline constexpr auto kCarried463 = kFields["carried463"];
inline constexpr auto kCarriedDouble = kFields["carriedDouble1"];  // x 3
inline constexpr auto kWord520 = kFields["word520"];

inline constexpr int kDueDates = 4;
inline constexpr int kVatSlots = 8;

inline constexpr Layout kLayout = kFields.layout("fte");

}  // namespace document_record

// A record as posting starts it: texts blank, numbers 0.
DocumentRecord NewDocumentRecord();

}  // namespace qorvana

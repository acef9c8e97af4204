#pragma once
// Continuation record of qorvana.f2e, 838 bytes, at the same record number as the document
// record of qorvana.fte.
//
// | Offset | Width  | Type   | Meaning                                                    |
// |--------|--------|--------|------------------------------------------------------------|
// | 0      | 2      | int16  | 999                                                        |
// | 2      | 8 x 4  | double | taxable amount of VAT codes 9..12                          |
// | 34     | 8 x 4  | double | VAT of codes 9..12                                         |
// | 66     | 8 x 4  | double | outside-VAT amounts of codes 21..24                        |
// | 98     | 8 x 2  | text   | due dates 5 and 6                                          |
// | 114    | 8 x 2  | text   | payment dates 5 and 6 (empty)                              |
// | 130    | 8 x 2  | double | due-date amounts 5 and 6                                   |
// | 146    | 8 x 2  | double | paid amounts 5 and 6 (0)                                   |
// | 162    | 8 x 16 | double | 0                                                          |
// | 290    | 6 x 8  | text   | empty                                                      |
// | 338    | 60     | text   | path of the PDF copy, without drive                        |
// | 398    | 8      | double | withholding amount                                         |
// | 406    | 8 x 3  | double | 0                                                          |
// | 430    | 8 x 8  | text   | empty                                                      |
// | 494    | 8      | double | withholding base                                           |
// | 502    | 8 x 3  | double | 0                                                          |
// | 526    | 2      | int16  | 1                                                          |
// | 528    | 36     | text   | carried                                                    |
// | 564    | 8      | double | 0                                                          |
// | 572    | 6      | text   | deferred-VAT limit mmyyyy (only with VAT on payment)       |
// | 578    | 1      | text   | carried                                                    |
// | 579    | 8      | double | electronic-invoice mode value (fpaState)                   |
// | 587    | 251    | text   | empty                                                      |

#include <array>

#include "core/data_file_types.h"
#include "document/document_record.h"

namespace qorvana {

using ContinuationRecord = ContinuationsFile::Record;

namespace continuation_record {

inline constexpr Field kMarker = Int16Field(0);
inline constexpr Field kTaxable = DoubleField(2);          // x 4, codes 9..12
inline constexpr Field kVat = DoubleField(34);             // x 4, codes 9..12
inline constexpr Field kOutsideVat = DoubleField(66);      // x 4, codes 21..24
inline constexpr Field kDueDate = TextField(98, 8);        // x 2, due dates 5 and 6
inline constexpr Field kPaymentDate = TextField(114, 8);   // x 2
inline constexpr Field kDueAmount = DoubleField(130);      // x 2
inline constexpr Field kPaidAmount = DoubleField(146);     // x 2
inline constexpr Field kZeroDouble162 = DoubleField(162);  // x 16
inline constexpr Field kEmptyText290 = TextField(290, 6);  // x 8
inline constexpr Field kPdfPath = TextField(338, 60);
inline constexpr Field kWithholdingAmount = DoubleField(398);
inline constexpr Field kZeroDouble406 = DoubleField(406);  // x 3
inline constexpr Field kEmptyText430 = TextField(430, 8);  // x 8
inline constexpr Field kWithholdingBase = DoubleField(494);
inline constexpr Field kZeroDouble502 = DoubleField(502);  // x 3
inline constexpr Field kWord526 = Int16Field(526);
inline constexpr Field kCarried528 = TextField(528, 36);
inline constexpr Field kZeroDouble564 = DoubleField(564);
inline constexpr Field kDeferredVatLimit = TextField(572, 6);
inline constexpr Field kCarried578 = TextField(578, 1);
inline constexpr Field kFpaMode = DoubleField(579);
inline constexpr Field kEmptyText587 = TextField(587, 251);

inline constexpr int kVatSlots = 4;
inline constexpr int kDueDates = 2;

inline constexpr std::array<FieldDef, 69> kFields{{
    {"marker", kMarker, "999"},
    {"taxable9", ContinuationRecord::At(kTaxable, 0), "taxable amount of VAT code 9"},
    {"taxable10", ContinuationRecord::At(kTaxable, 1), "taxable amount of VAT code 10"},
    {"taxable11", ContinuationRecord::At(kTaxable, 2), "taxable amount of VAT code 11"},
    {"taxable12", ContinuationRecord::At(kTaxable, 3), "taxable amount of VAT code 12"},
    {"vat9", ContinuationRecord::At(kVat, 0), "VAT of code 9"},
    {"vat10", ContinuationRecord::At(kVat, 1), "VAT of code 10"},
    {"vat11", ContinuationRecord::At(kVat, 2), "VAT of code 11"},
    {"vat12", ContinuationRecord::At(kVat, 3), "VAT of code 12"},
    {"outsideVat21", ContinuationRecord::At(kOutsideVat, 0), "outside-VAT amount of code 21"},
    {"outsideVat22", ContinuationRecord::At(kOutsideVat, 1), "outside-VAT amount of code 22"},
    {"outsideVat23", ContinuationRecord::At(kOutsideVat, 2), "outside-VAT amount of code 23"},
    {"outsideVat24", ContinuationRecord::At(kOutsideVat, 3), "outside-VAT amount of code 24"},
    {"dueDate5", ContinuationRecord::At(kDueDate, 0), "due date 5"},
    {"dueDate6", ContinuationRecord::At(kDueDate, 1), "due date 6"},
    {"paymentDate5", ContinuationRecord::At(kPaymentDate, 0), "payment date 5"},
    {"paymentDate6", ContinuationRecord::At(kPaymentDate, 1), "payment date 6"},
    {"dueAmount5", ContinuationRecord::At(kDueAmount, 0), "due-date amount 5"},
    {"dueAmount6", ContinuationRecord::At(kDueAmount, 1), "due-date amount 6"},
    {"paidAmount5", ContinuationRecord::At(kPaidAmount, 0), "paid amount 5"},
    {"paidAmount6", ContinuationRecord::At(kPaidAmount, 1), "paid amount 6"},
    {"zero162", ContinuationRecord::At(kZeroDouble162, 0), "0"},
    {"zero170", ContinuationRecord::At(kZeroDouble162, 1), "0"},
    {"zero178", ContinuationRecord::At(kZeroDouble162, 2), "0"},
    {"zero186", ContinuationRecord::At(kZeroDouble162, 3), "0"},
    {"zero194", ContinuationRecord::At(kZeroDouble162, 4), "0"},
    {"zero202", ContinuationRecord::At(kZeroDouble162, 5), "0"},
    {"zero210", ContinuationRecord::At(kZeroDouble162, 6), "0"},
    {"zero218", ContinuationRecord::At(kZeroDouble162, 7), "0"},
    {"zero226", ContinuationRecord::At(kZeroDouble162, 8), "0"},
    {"zero234", ContinuationRecord::At(kZeroDouble162, 9), "0"},
    {"zero242", ContinuationRecord::At(kZeroDouble162, 10), "0"},
    {"zero250", ContinuationRecord::At(kZeroDouble162, 11), "0"},
    {"zero258", ContinuationRecord::At(kZeroDouble162, 12), "0"},
    {"zero266", ContinuationRecord::At(kZeroDouble162, 13), "0"},
    {"zero274", ContinuationRecord::At(kZeroDouble162, 14), "0"},
    {"zero282", ContinuationRecord::At(kZeroDouble162, 15), "0"},
    {"empty290", ContinuationRecord::At(kEmptyText290, 0), "empty"},
    {"empty296", ContinuationRecord::At(kEmptyText290, 1), "empty"},
    {"empty302", ContinuationRecord::At(kEmptyText290, 2), "empty"},
    {"empty308", ContinuationRecord::At(kEmptyText290, 3), "empty"},
    {"empty314", ContinuationRecord::At(kEmptyText290, 4), "empty"},
    {"empty320", ContinuationRecord::At(kEmptyText290, 5), "empty"},
    {"empty326", ContinuationRecord::At(kEmptyText290, 6), "empty"},
    {"empty332", ContinuationRecord::At(kEmptyText290, 7), "empty"},
    {"pdfPath", kPdfPath, "path of the PDF copy, without drive"},
    {"withholdingAmount", kWithholdingAmount, "withholding amount"},
    {"zero406", ContinuationRecord::At(kZeroDouble406, 0), "0"},
    {"zero414", ContinuationRecord::At(kZeroDouble406, 1), "0"},
    {"zero422", ContinuationRecord::At(kZeroDouble406, 2), "0"},
    {"empty430", ContinuationRecord::At(kEmptyText430, 0), "empty"},
    {"empty438", ContinuationRecord::At(kEmptyText430, 1), "empty"},
    {"empty446", ContinuationRecord::At(kEmptyText430, 2), "empty"},
    {"empty454", ContinuationRecord::At(kEmptyText430, 3), "empty"},
    {"empty462", ContinuationRecord::At(kEmptyText430, 4), "empty"},
    {"empty470", ContinuationRecord::At(kEmptyText430, 5), "empty"},
    {"empty478", ContinuationRecord::At(kEmptyText430, 6), "empty"},
    {"empty486", ContinuationRecord::At(kEmptyText430, 7), "empty"},
    {"withholdingBase", kWithholdingBase, "withholding base"},
    {"zero502", ContinuationRecord::At(kZeroDouble502, 0), "0"},
    {"zero510", ContinuationRecord::At(kZeroDouble502, 1), "0"},
    {"zero518", ContinuationRecord::At(kZeroDouble502, 2), "0"},
    {"word526", kWord526, "1"},
    {"carried528", kCarried528, "carried"},
    {"zero564", kZeroDouble564, "0"},
    {"deferredVatLimit", kDeferredVatLimit, "deferred-VAT limit mmyyyy"},
    {"carried578", kCarried578, "carried"},
    {"fpaMode", kFpaMode, "electronic-invoice mode value"},
    {"empty587", kEmptyText587, "empty"},
}};
static_assert(FieldsCover(kFields, ContinuationRecord::kLength));

inline constexpr Layout kLayout{"f2e", ContinuationRecord::kLength, kFields};

}  // namespace continuation_record

// The continuation record as posting starts it: 999 first, doubles 0, texts empty, the
// word at offset 526 = 1.
ContinuationRecord NewContinuationRecord();

}  // namespace qorvana

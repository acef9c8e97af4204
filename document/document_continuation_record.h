#pragma once
// Continuation record of qorvana.f2e, 838 bytes, at the same record number as the document
// record of qorvana.fte.

#include <array>
#include <string>

#include "core/data_file_types.h"
#include "document/document_record.h"

namespace qorvana {

using ContinuationRecord = ContinuationsFile::Record;

namespace continuation_record {

inline constexpr auto kFields = DeclareFields<ContinuationLayout>({
    {"marker", Int16Field(0), "999"},
    {"taxable9", DoubleField(2), "taxable amount of VAT code 9"},
    {"taxable10", DoubleField(10), "taxable amount of VAT code 10"},
    {"taxable11", DoubleField(18), "taxable amount of VAT code 11"},
    {"taxable12", DoubleField(26), "taxable amount of VAT code 12"},
    {"vat9", DoubleField(34), "VAT of code 9"},
    {"vat10", DoubleField(42), "VAT of code 10"},
    {"vat11", DoubleField(50), "VAT of code 11"},
    {"vat12", DoubleField(58), "VAT of code 12"},
    {"outsideVat21", DoubleField(66), "outside-VAT amount of code 21"},
    {"outsideVat22", DoubleField(74), "outside-VAT amount of code 22"},
    {"outsideVat23", DoubleField(82), "outside-VAT amount of code 23"},
    {"outsideVat24", DoubleField(90), "outside-VAT amount of code 24"},
    {"dueDate5", TextField(98, 8), "due date 5"},
    {"dueDate6", TextField(106, 8), "due date 6"},
    {"paymentDate5", TextField(114, 8), "payment date 5"},
    {"paymentDate6", TextField(122, 8), "payment date 6"},
    {"dueAmount5", DoubleField(130), "due-date amount 5"},
    {"dueAmount6", DoubleField(138), "due-date amount 6"},
    {"paidAmount5", DoubleField(146), "paid amount 5"},
    {"paidAmount6", DoubleField(154), "paid amount 6"},
    {"zero162", DoubleField(162), "0"},
    {"zero170", DoubleField(170), "0"},
    {"zero178", DoubleField(178), "0"},
    {"zero186", DoubleField(186), "0"},
    {"zero194", DoubleField(194), "0"},
    {"zero202", DoubleField(202), "0"},
    {"zero210", DoubleField(210), "0"},
    {"zero218", DoubleField(218), "0"},
    {"zero226", DoubleField(226), "0"},
    {"zero234", DoubleField(234), "0"},
    {"zero242", DoubleField(242), "0"},
    {"zero250", DoubleField(250), "0"},
    {"zero258", DoubleField(258), "0"},
    {"zero266", DoubleField(266), "0"},
    {"zero274", DoubleField(274), "0"},
    {"zero282", DoubleField(282), "0"},
    {"empty290", TextField(290, 6), "empty"},
    {"empty296", TextField(296, 6), "empty"},
    {"empty302", TextField(302, 6), "empty"},
    {"empty308", TextField(308, 6), "empty"},
    {"empty314", TextField(314, 6), "empty"},
    {"empty320", TextField(320, 6), "empty"},
    {"empty326", TextField(326, 6), "empty"},
    {"empty332", TextField(332, 6), "empty"},
    {"pdfPath", TextField(338, 60), "path of the PDF copy, without drive"},
    {"withholdingAmount", DoubleField(398), "withholding amount"},
    {"zero406", DoubleField(406), "0"},
    {"zero414", DoubleField(414), "0"},
    {"zero422", DoubleField(422), "0"},
    {"empty430", TextField(430, 8), "empty"},
    {"empty438", TextField(438, 8), "empty"},
    {"empty446", TextField(446, 8), "empty"},
    {"empty454", TextField(454, 8), "empty"},
    {"empty462", TextField(462, 8), "empty"},
    {"empty470", TextField(470, 8), "empty"},
    {"empty478", TextField(478, 8), "empty"},
    {"empty486", TextField(486, 8), "empty"},
    {"withholdingBase", DoubleField(494), "withholding base"},
    {"zero502", DoubleField(502), "0"},
    {"zero510", DoubleField(510), "0"},
    {"zero518", DoubleField(518), "0"},
    {"word526", Int16Field(526), "1"},
    {"carried528", TextField(528, 36), "carried"},
    {"zero564", DoubleField(564), "0"},
    {"deferredVatLimit", TextField(572, 6), "deferred-VAT limit mmyyyy"},
    {"carried578", TextField(578, 1), "carried"},
    {"fpaMode", DoubleField(579), "electronic-invoice mode value"},
    {"empty587", TextField(587, 251), "empty"},
});

inline constexpr auto kMarker = kFields["marker"];
inline constexpr auto kTaxable = kFields["taxable9"];          // x 4, codes 9..12
inline constexpr auto kVat = kFields["vat9"];                  // x 4, codes 9..12
inline constexpr auto kOutsideVat = kFields["outsideVat21"];   // x 4, codes 21..24
inline constexpr auto kDueDate = kFields["dueDate5"];          // x 2, due dates 5 and 6
inline constexpr auto kPaymentDate = kFields["paymentDate5"];  // x 2
inline constexpr auto kDueAmount = kFields["dueAmount5"];      // x 2
inline constexpr auto kPaidAmount = kFields["paidAmount5"];    // x 2
inline constexpr auto kPdfPath = kFields["pdfPath"];
inline constexpr auto kWithholdingAmount = kFields["withholdingAmount"];
inline constexpr auto kWithholdingBase = kFields["withholdingBase"];
inline constexpr auto kWord526 = kFields["word526"];
inline constexpr auto kCarried528 = kFields["carried528"];
inline constexpr auto kDeferredVatLimit = kFields["deferredVatLimit"];
inline constexpr auto kFpaMode = kFields["fpaMode"];

inline constexpr int kVatSlots = 4;
inline constexpr int kDueDates = 2;

inline constexpr Layout kLayout = kFields.layout("f2e");

}  // namespace continuation_record

// The continuation record as posting starts it: 999 first, doubles 0, texts empty, the
// word at offset 526 = 1.
ContinuationRecord NewContinuationRecord();
// The deferred-VAT limit the record stores: the month of the document date and the following
// year ("112025" for a date in November 2024); empty when the date is not valid.
std::string DeferredVatLimit(const std::string& documentDateDdMmYyyy);

}  // namespace qorvana

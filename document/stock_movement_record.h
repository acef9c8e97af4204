#pragma once
// Stock movement record of qorvana.mag, 94 bytes, one per posted article line.

#include <array>

#include "core/data_file_types.h"
#include "document/document_record.h"

namespace qorvana {

using StockMovementRecord = MovementsFile::Record;

namespace stock_movement_record {

inline constexpr auto kFields = DeclareFields<MovementLayout>({
    {"date", TextField(0, 8), "movement date yyyymmdd"},
    {"counterpart", TextField(8, 40), "counterpart name"},
    {"fixedOne1", Int16Field(48), "always 1"},
    {"reference", TextField(50, 12), "\"FT \"/\"NC \" + document number"},
    {"issueMoment", DoubleField(62), "date and time of issue"},
    {"article", Int16Field(70), "article record number"},
    {"customer", Int16Field(72), "customer record number"},
    {"quantity", DoubleField(74), "quantity moved (negative for a credit note)"},
    {"netUnitPrice", DoubleField(82), "net unit price"},
    {"fixedOne2", Int16Field(90), "always 1"},
    {"fixedZero", Int16Field(92), "always 0"},
});

inline constexpr auto kDate = kFields["date"];
inline constexpr auto kCounterpart = kFields["counterpart"];
inline constexpr auto kFixedOne1 = kFields["fixedOne1"];
inline constexpr auto kReference = kFields["reference"];
inline constexpr auto kIssueMoment = kFields["issueMoment"];
inline constexpr auto kArticle = kFields["article"];
inline constexpr auto kCustomer = kFields["customer"];
inline constexpr auto kQuantity = kFields["quantity"];
inline constexpr auto kNetUnitPrice = kFields["netUnitPrice"];
inline constexpr auto kFixedOne2 = kFields["fixedOne2"];
inline constexpr auto kFixedZero = kFields["fixedZero"];

inline constexpr Layout kLayout = kFields.layout("mag");

}  // namespace stock_movement_record

}  // namespace qorvana

#pragma once
// Stock movement record of qorvana.mag, 94 bytes, one per posted article line.
//
// | Offset | Width | Type   | Meaning                                                     |
// |--------|-------|--------|-------------------------------------------------------------|
// | 0      | 8     | text   | movement date yyyymmdd (header text3(2))                    |
// | 8      | 40    | text   | counterpart name (start form's customer name)               |
// | 48     | 2     | int16  | 1                                                           |
// | 50     | 12    | text   | reference "FT " / "NC " + document number                   |
// | 62     | 8     | double | date and time of issue                                      |
// | 70     | 2     | int16  | article record number in qorvana.art                        |
// | 72     | 2     | int16  | customer record number in qorvana.cli                       |
// | 74     | 8     | double | quantity moved; negated for a credit note                   |
// | 82     | 8     | double | net unit price (after both discounts, net of VAT)           |
// | 90     | 2     | int16  | 1                                                           |
// | 92     | 2     | int16  | 0                                                           |

#include <array>

#include "core/data_file_types.h"
#include "document/document_record.h"

namespace qorvana {

using StockMovementRecord = MovementsFile::Record;

namespace stock_movement_record {

inline constexpr Field kDate = TextField(0, 8);
inline constexpr Field kCounterpart = TextField(8, 40);
inline constexpr Field kWord48 = Int16Field(48);
inline constexpr Field kReference = TextField(50, 12);
inline constexpr Field kIssueMoment = DoubleField(62);
inline constexpr Field kArticle = Int16Field(70);
inline constexpr Field kCustomer = Int16Field(72);
inline constexpr Field kQuantity = DoubleField(74);
inline constexpr Field kNetUnitPrice = DoubleField(82);
inline constexpr Field kWord90 = Int16Field(90);
inline constexpr Field kWord92 = Int16Field(92);

inline constexpr std::array<FieldDef, 11> kFields{{
    {"date", kDate, "movement date yyyymmdd"},
    {"counterpart", kCounterpart, "counterpart name"},
    {"word48", kWord48, "1"},
    {"reference", kReference, "\"FT \"/\"NC \" + document number"},
    {"issueMoment", kIssueMoment, "date and time of issue"},
    {"article", kArticle, "article record number"},
    {"customer", kCustomer, "customer record number"},
    {"quantity", kQuantity, "quantity moved (negative for a credit note)"},
    {"netUnitPrice", kNetUnitPrice, "net unit price"},
    {"word90", kWord90, "1"},
    {"word92", kWord92, "0"},
}};
static_assert(FieldsCover(kFields, StockMovementRecord::kLength));

inline constexpr Layout kLayout{"mag", StockMovementRecord::kLength, kFields};

}  // namespace stock_movement_record

}  // namespace qorvana

#pragma once
// Quote line qorvana.prv (channel 11, 284 bytes). Quote q (1-based) occupies the 200 records
// (q - 1) * 200 + 1 .. q * 200, one per line; the heading fields are read from the first.
// Quotes are counted by word 1 of counters record 17.
//   0 10 text    quote number              204  2 int16   VAT code
//  10  8 text    quote date yyyymmdd       206  8 text    (carried)
//  18  2 int16   customer code             214 8x3 double (carried)
//  20 40 text    quote description         238  2 int16   prices include VAT when not 0
//  60 40 text    (carried)                 240  2 int16   (carried)
// 100 40 text    (carried)                 242 10 text    line description, second part
// 140  2 int16   article record (< 1 none) 252  8 double  (carried)
// 142 40 text    line description, first  260  2 int16   (carried)
// 182  8 double  quantity                  262 20 text    (carried)
// 190  8 double  unit price                282  2 int16   state: 0 = open
// 198  2 text    unit of measure
// 200  2 int16   discount 1 (percent)
// 202  2 int16   discount 2 (percent)

#include <array>

#include "core/data_file_types.h"

namespace qorvana {

using QuoteRecord = QuotesFile::Record;

namespace prv {

inline constexpr std::size_t kLength = QuotesFile::Record::kLength;
inline constexpr int kLinesPerQuote = kRecordsPerQuote;

// Record number of line `line` (1..200) of quote `quote` (1-based).
constexpr std::int32_t RecordOf(std::int32_t quote, std::int32_t line) {
    return (quote - 1) * kLinesPerQuote + line;
}

inline constexpr Field kNumber = TextField(0, 10);
inline constexpr Field kDate = TextField(10, 8);
inline constexpr Field kCustomer = Int16Field(18);
inline constexpr Field kDescription = TextField(20, 40);
inline constexpr Field kArticle = Int16Field(140);
inline constexpr Field kLineDescription1 = TextField(142, 40);
inline constexpr Field kQuantity = DoubleField(182);
inline constexpr Field kPrice = DoubleField(190);
inline constexpr Field kUnit = TextField(198, 2);
inline constexpr Field kDiscount1 = Int16Field(200);
inline constexpr Field kDiscount2 = Int16Field(202);
inline constexpr Field kVatCode = Int16Field(204);
inline constexpr Field kVatIncluded = Int16Field(238);
inline constexpr Field kLineDescription2 = TextField(242, 10);
inline constexpr Field kState = Int16Field(282);

inline constexpr std::array<FieldDef, 25> kFields{{
    {"number", kNumber, "quote number"},
    {"date", kDate, "quote date yyyymmdd"},
    {"customer", kCustomer, "customer code"},
    {"description", kDescription, "quote description"},
    {"carried60", CarriedField(60, 40), "carried text"},
    {"carried100", CarriedField(100, 40), "carried text"},
    {"article", kArticle, "article record number (< 1 = none)"},
    {"lineDescription1", kLineDescription1, "line description, first part"},
    {"quantity", kQuantity, "quantity"},
    {"price", kPrice, "unit price"},
    {"unit", kUnit, "unit of measure"},
    {"discount1", kDiscount1, "first discount percentage"},
    {"discount2", kDiscount2, "second discount percentage"},
    {"vatCode", kVatCode, "VAT code"},
    {"carried206", CarriedField(206, 8), "carried text"},
    {"carried214", CarriedField(214, 8), "carried double"},
    {"carried222", CarriedField(222, 8), "carried double"},
    {"carried230", CarriedField(230, 8), "carried double"},
    {"vatIncluded", kVatIncluded, "prices include VAT when not 0"},
    {"carried240", CarriedField(240, 2), "carried small integer"},
    {"lineDescription2", kLineDescription2, "line description, second part"},
    {"carried252", CarriedField(252, 8), "carried double"},
    {"carried260", CarriedField(260, 2), "carried small integer"},
    {"carried262", CarriedField(262, 20), "carried text"},
    {"state", kState, "0 = open"},
}};
static_assert(FieldsCover(kFields, kLength));

inline constexpr Layout kLayout{"prv", kLength, kFields};

}  // namespace prv
}  // namespace qorvana

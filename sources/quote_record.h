#pragma once
// Quote line qorvana.prv (channel 11, 284 bytes). Quote q (1-based) occupies the 200 records
// (q - 1) * 200 + 1 .. q * 200, one per line; the heading fields are read from the first.
// Quotes are counted by word 1 of counters record 17.

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

inline constexpr auto kFields = DeclareFields<QuoteLayout>({
    {"number", TextField(0, 10), "quote number"},
    {"date", TextField(10, 8), "quote date yyyymmdd"},
    {"customer", Int16Field(18), "customer code"},
    {"description", TextField(20, 40), "quote description"},
    {"carried60", CarriedField(60, 40), "carried text"},
    {"carried100", CarriedField(100, 40), "carried text"},
    {"article", Int16Field(140), "article record number (< 1 = none)"},
    {"lineDescription1", TextField(142, 40), "line description, first part"},
    {"quantity", DoubleField(182), "quantity"},
    {"price", DoubleField(190), "unit price"},
    {"unit", TextField(198, 2), "unit of measure"},
    {"discount1", Int16Field(200), "first discount percentage"},
    {"discount2", Int16Field(202), "second discount percentage"},
    {"vatCode", Int16Field(204), "VAT code"},
    {"carried206", CarriedField(206, 8), "carried text"},
    {"carried214", CarriedField(214, 8), "carried double"},
    {"carried222", CarriedField(222, 8), "carried double"},
    {"carried230", CarriedField(230, 8), "carried double"},
    {"vatIncluded", Int16Field(238), "prices include VAT when not 0"},
    {"carried240", CarriedField(240, 2), "carried small integer"},
    {"lineDescription2", TextField(242, 10), "line description, second part"},
    {"carried252", CarriedField(252, 8), "carried double"},
    {"carried260", CarriedField(260, 2), "carried small integer"},
    {"carried262", CarriedField(262, 20), "carried text"},
    {"state", Int16Field(282), "0 = open"},
});

inline constexpr auto kNumber = kFields["number"];
inline constexpr auto kDate = kFields["date"];
inline constexpr auto kCustomer = kFields["customer"];
inline constexpr auto kDescription = kFields["description"];
inline constexpr auto kArticle = kFields["article"];
inline constexpr auto kLineDescription1 = kFields["lineDescription1"];
inline constexpr auto kQuantity = kFields["quantity"];
inline constexpr auto kPrice = kFields["price"];
inline constexpr auto kUnit = kFields["unit"];
inline constexpr auto kDiscount1 = kFields["discount1"];
inline constexpr auto kDiscount2 = kFields["discount2"];
inline constexpr auto kVatCode = kFields["vatCode"];
inline constexpr auto kVatIncluded = kFields["vatIncluded"];
inline constexpr auto kLineDescription2 = kFields["lineDescription2"];
inline constexpr auto kState = kFields["state"];

inline constexpr Layout kLayout = kFields.layout("prv");

}  // namespace prv
}  // namespace qorvana

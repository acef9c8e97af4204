#pragma once
// Article record of qorvana.art (channel 5, 327 bytes); the record number is the article's.

#include <array>

#include "core/data_file_types.h"

namespace qorvana {

using ArticleRecord = ArticlesFile::Record;

namespace art {

inline constexpr std::size_t kLength = ArticlesFile::Record::kLength;

inline constexpr auto kFields = DeclareFields<ArticleLayout>({
    {"code", TextField(0, 15), "article code"},
    {"description", TextField(15, 40), "description"},
    {"barCode", TextField(55, 13), "bar code"},
    {"unit", TextField(68, 2), "unit of measure"},
    {"carried70", CarriedField(70, 3), "carried"},
    {"vatCode", Int16Field(73), "VAT code of the article"},
    {"price1", DoubleField(75), "price, first price list"},
    {"price2", DoubleField(83), "price, second price list"},
    {"carried91", CarriedField(91, 8), "carried double"},
    {"carried99", CarriedField(99, 8), "carried double"},
    {"carried107", CarriedField(107, 8), "carried double"},
    {"carried115", CarriedField(115, 8), "carried double"},
    {"stock", DoubleField(123), "stock on hand (Giacenza)"},
    {"carried131", CarriedField(131, 8), "carried double"},
    {"committed", DoubleField(139), "committed quantity (Impegnato)"},
    {"carried147", CarriedField(147, 8), "carried double"},
    {"carried155", CarriedField(155, 8), "carried double"},
    {"carried163", CarriedField(163, 8), "carried double"},
    {"carried171", CarriedField(171, 8), "carried double"},
    {"quantitySold", DoubleField(179), "quantity sold"},
    {"carried187", CarriedField(187, 8), "carried double"},
    {"valueSold", DoubleField(195), "value sold"},
    {"carried203", CarriedField(203, 24), "carried text, 4 x 6"},
    {"carried227", CarriedField(227, 8), "carried double"},
    {"carried235", CarriedField(235, 40), "carried text"},
    {"carried275", CarriedField(275, 20), "carried text"},
    {"unitWeight", DoubleField(295), "unit weight"},
    {"carried303", CarriedField(303, 20), "carried text"},
    {"carried323", CarriedField(323, 2), "carried small integer"},
    {"deleted", Int16Field(325), "deleted mark: not 0 = deleted"},
});

inline constexpr auto kCode = kFields["code"];
inline constexpr auto kDescription = kFields["description"];
inline constexpr auto kBarCode = kFields["barCode"];
inline constexpr auto kUnit = kFields["unit"];
inline constexpr auto kVatCode = kFields["vatCode"];
inline constexpr auto kPrice1 = kFields["price1"];
inline constexpr auto kPrice2 = kFields["price2"];
inline constexpr auto kStock = kFields["stock"];
inline constexpr auto kCommitted = kFields["committed"];
inline constexpr auto kQuantitySold = kFields["quantitySold"];
inline constexpr auto kValueSold = kFields["valueSold"];
inline constexpr auto kUnitWeight = kFields["unitWeight"];
inline constexpr auto kDeleted = kFields["deleted"];

inline constexpr Layout kLayout = kFields.layout("art");

}  // namespace art
}  // namespace qorvana

#pragma once
// Article record of qorvana.art (channel 5, 327 bytes); the record number is the article's.
//   0  15 text    code                  147 8x4 double  (carried)
//  15  40 text    description           179 8   double  quantity sold
//  55  13 text    bar code              187 8   double  (carried)
//  68   2 text    unit of measure       195 8   double  value sold
//  70   3 text    (carried)             203 4x6 text    (carried)
//  73   2 int16   VAT code              227 8   double  (carried)
//  75   8 double  price, list 1         235 40  text    (carried)
//  83   8 double  price, list 2         275 20  text    (carried)
//  91 8x4 double  (carried)             295 8   double  unit weight
// 123   8 double  stock on hand         303 20  text    (carried)
// 131   8 double  (carried)             323 2   int16   (carried)
// 139   8 double  committed quantity    325 2   int16   deleted mark (not 0 = deleted)

#include <array>

#include "core/data_file_types.h"

namespace qorvana {

using ArticleRecord = ArticlesFile::Record;

namespace art {

inline constexpr std::size_t kLength = ArticlesFile::Record::kLength;

inline constexpr Field kCode = TextField(0, 15);
inline constexpr Field kDescription = TextField(15, 40);
inline constexpr Field kBarCode = TextField(55, 13);
inline constexpr Field kUnit = TextField(68, 2);
inline constexpr Field kVatCode = Int16Field(73);
inline constexpr Field kPrice1 = DoubleField(75);
inline constexpr Field kPrice2 = DoubleField(83);
inline constexpr Field kStock = DoubleField(123);
inline constexpr Field kCommitted = DoubleField(139);
inline constexpr Field kQuantitySold = DoubleField(179);
inline constexpr Field kValueSold = DoubleField(195);
inline constexpr Field kUnitWeight = DoubleField(295);
inline constexpr Field kDeleted = Int16Field(325);

inline constexpr std::array<FieldDef, 30> kFields{{
    {"code", kCode, "article code"},
    {"description", kDescription, "description"},
    {"barCode", kBarCode, "bar code"},
    {"unit", kUnit, "unit of measure"},
    {"carried70", CarriedField(70, 3), "carried"},
    {"vatCode", kVatCode, "VAT code of the article"},
    {"price1", kPrice1, "price, first price list"},
    {"price2", kPrice2, "price, second price list"},
    {"carried91", CarriedField(91, 8), "carried double"},
    {"carried99", CarriedField(99, 8), "carried double"},
    {"carried107", CarriedField(107, 8), "carried double"},
    {"carried115", CarriedField(115, 8), "carried double"},
    {"stock", kStock, "stock on hand (Giacenza)"},
    {"carried131", CarriedField(131, 8), "carried double"},
    {"committed", kCommitted, "committed quantity (Impegnato)"},
    {"carried147", CarriedField(147, 8), "carried double"},
    {"carried155", CarriedField(155, 8), "carried double"},
    {"carried163", CarriedField(163, 8), "carried double"},
    {"carried171", CarriedField(171, 8), "carried double"},
    {"quantitySold", kQuantitySold, "quantity sold"},
    {"carried187", CarriedField(187, 8), "carried double"},
    {"valueSold", kValueSold, "value sold"},
    {"carried203", CarriedField(203, 24), "carried text, 4 x 6"},
    {"carried227", CarriedField(227, 8), "carried double"},
    {"carried235", CarriedField(235, 40), "carried text"},
    {"carried275", CarriedField(275, 20), "carried text"},
    {"unitWeight", kUnitWeight, "unit weight"},
    {"carried303", CarriedField(303, 20), "carried text"},
    {"carried323", CarriedField(323, 2), "carried small integer"},
    {"deleted", kDeleted, "deleted mark: not 0 = deleted"},
}};
static_assert(FieldsCover(kFields, kLength));

inline constexpr Layout kLayout{"art", kLength, kFields};

}  // namespace art
}  // namespace qorvana

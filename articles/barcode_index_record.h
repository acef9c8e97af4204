#pragma once
// Bar-code index qorvana.srb (channel 8, 15 bytes), sorted by bar code; its entries are
// counted by word 1 of counters record 3, like the articles.
//   0 13 text   bar code
//  13  2 int16  article record number in qorvana.art

#include <array>

#include "core/data_file_types.h"

namespace qorvana {

using BarcodeIndexRecord = BarcodeIndexFile::Record;

namespace srb {

inline constexpr std::size_t kLength = BarcodeIndexFile::Record::kLength;

inline constexpr Field kBarCode = TextField(0, 13);
inline constexpr Field kArticle = Int16Field(13);

inline constexpr std::array<FieldDef, 2> kFields{{
    {"barCode", kBarCode, "bar code (sort key)"},
    {"article", kArticle, "article record number"},
}};
static_assert(FieldsCover(kFields, kLength));

inline constexpr Layout kLayout{"srb", kLength, kFields};

}  // namespace srb
}  // namespace qorvana

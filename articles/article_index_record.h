#pragma once
// Article index `sra` (qorvana.sra, channel 6, 17 bytes); opened with the set, not read.
//   offset width type   meaning
//   0      15    text   key
//   15     2     int16  record number in art

#include <array>

#include "core/data_file_types.h"

namespace qorvana {

namespace sra {
inline constexpr std::size_t kLength = ArticleIndexFile::Record::kLength;
inline constexpr Field kKey = TextField(0, 15);
inline constexpr Field kArticle = Int16Field(15);

inline constexpr std::array<FieldDef, 2> kFields{{
    {"key", kKey, "key"},
    {"article", kArticle, "record number in art"},
}};
static_assert(FieldsCover(kFields, kLength));
inline constexpr Layout kLayout{"sra", kLength, kFields};
}  // namespace sra

using ArticleIndexRecord = ArticleIndexFile::Record;

}  // namespace qorvana

#pragma once
// Article index `sra` (qorvana.sra, channel 6, 17 bytes); opened with the set, not read.

#include <array>

#include "core/data_file_types.h"

namespace qorvana {

namespace sra {
inline constexpr std::size_t kLength = ArticleIndexFile::Record::kLength;
inline constexpr auto kFields = DeclareFields<ArticleIndexLayout>({
    {"key", TextField(0, 15), "key"},
    {"article", Int16Field(15), "record number in art"},
});

inline constexpr auto kKey = kFields["key"];
inline constexpr auto kArticle = kFields["article"];

inline constexpr Layout kLayout = kFields.layout("sra");
}  // namespace sra

using ArticleIndexRecord = ArticleIndexFile::Record;

}  // namespace qorvana

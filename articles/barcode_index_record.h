#pragma once
// Bar-code index qorvana.srb (channel 8, 15 bytes), sorted by bar code; its entries are
// counted by word 1 of counters record 3, like the articles.

#include <array>

#include "core/data_file_types.h"

namespace qorvana {

using BarcodeIndexRecord = BarcodeIndexFile::Record;

namespace srb {

inline constexpr std::size_t kLength = BarcodeIndexFile::Record::kLength;

inline constexpr auto kFields = DeclareFields<BarcodeIndexLayout>({
    {"barCode", TextField(0, 13), "bar code (sort key)"},
    {"article", Int16Field(13), "article record number"},
});

inline constexpr auto kBarCode = kFields["barCode"];
inline constexpr auto kArticle = kFields["article"];

inline constexpr Layout kLayout = kFields.layout("srb");

}  // namespace srb
}  // namespace qorvana

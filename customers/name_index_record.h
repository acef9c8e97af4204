#pragma once
// Customer name index `src` (qorvana.src, channel 2, 42 bytes), ascending by key; the
// number of entries is word 1 of counter record 1.

#include <array>

#include "core/data_file_types.h"

namespace qorvana {

namespace src {
inline constexpr std::size_t kLength = NameIndexFile::Record::kLength;
inline constexpr auto kFields = DeclareFields<NameIndexLayout>({
    {"key", TextField(0, 40), "search key: customer name, compared in upper case"},
    {"customer", Int16Field(40), "record number of the customer in cli"},
});

inline constexpr auto kKey = kFields["key"];
inline constexpr auto kCustomer = kFields["customer"];

inline constexpr Layout kLayout = kFields.layout("src");
}  // namespace src

using NameIndexRecord = NameIndexFile::Record;

}  // namespace qorvana

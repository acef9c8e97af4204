#pragma once
// Customer name index `src` (qorvana.src, channel 2, 42 bytes), ascending by key; the
// number of entries is word 1 of counter record 1.
//   offset width type   meaning
//   0      40    text   search key: the customer's name, compared in upper case
//   40     2     int16  record number of the customer in cli

#include <array>

#include "core/data_file_types.h"

namespace qorvana {

namespace src {
inline constexpr std::size_t kLength = NameIndexFile::Record::kLength;
inline constexpr Field kKey = TextField(0, 40);
inline constexpr Field kCustomer = Int16Field(40);

inline constexpr std::array<FieldDef, 2> kFields{{
    {"key", kKey, "search key: customer name, compared in upper case"},
    {"customer", kCustomer, "record number of the customer in cli"},
}};
static_assert(FieldsCover(kFields, kLength));
inline constexpr Layout kLayout{"src", kLength, kFields};
}  // namespace src

using NameIndexRecord = NameIndexFile::Record;

}  // namespace qorvana

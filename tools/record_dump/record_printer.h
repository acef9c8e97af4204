#pragma once
// Field-by-field text of fixed-length records, for record-dump.

#include <cstdint>
#include <ostream>
#include <span>
#include <string>

#include "core/record.h"

namespace qorvana {

// The value of one field of a record: texts decoded and quoted, numbers as numbers, carried
// fields (named "carried...") in hex (a run of one repeated byte abbreviated as "20 x 36").
std::string FieldValueText(std::span<const std::uint8_t> record, const FieldDef& def);

// Prints record `number` (1-based) field by field: offset, name, width, value.
void PrintRecord(std::ostream& out, std::int32_t number, std::span<const std::uint8_t> record,
                 const Layout& layout);

}  // namespace qorvana

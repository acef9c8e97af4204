#pragma once
// Delivery-note line qorvana.bol (channel 9, 97 bytes), counted by word 1 of counters
// record 12. Written by the suite's delivery-note program; this module sets the invoiced mark.
//   0  2 int16   note number             75  8 double  (carried)
//   2  8 text    note date yyyymmdd      83  2 int16   1 = the record representing the note
//  10  2 int16   (carried)               85  2 text    (carried)
//  12 15 text    (carried)               87  2 int16   customer code
//  27 36 text    note text ("R..." =     89  2 int16   (carried)
//                deposit-account return) 91  2 int16   (carried)
//  63  4 single  serial (line file "b")  93  2 int16   invoiced mark: 0 open, 1 invoiced
//  67  8 double  return number (fallback 95  2 int16   offered only when 0
//                line file "blr")

#include <array>

#include "core/data_file_types.h"

namespace qorvana {

using DeliveryNoteRecord = DeliveryNotesFile::Record;

namespace bol {

inline constexpr std::size_t kLength = DeliveryNotesFile::Record::kLength;

inline constexpr Field kNumber = Int16Field(0);
inline constexpr Field kDate = TextField(2, 8);
inline constexpr Field kText = TextField(27, 36);
inline constexpr Field kSerial = SingleField(63);
inline constexpr Field kReturnNumber = DoubleField(67);
inline constexpr Field kHeadMark = Int16Field(83);
inline constexpr Field kCustomer = Int16Field(87);
inline constexpr Field kInvoiced = Int16Field(93);
inline constexpr Field kExcluded = Int16Field(95);

inline constexpr std::array<FieldDef, 15> kFields{{
    {"number", kNumber, "note number"},
    {"date", kDate, "note date yyyymmdd"},
    {"carried10", CarriedField(10, 2), "carried small integer"},
    {"carried12", CarriedField(12, 15), "carried text"},
    {"text", kText, "note text; first character R = deposit-account return"},
    {"serial", kSerial, "serial; line file \"b\" + serial"},
    {"returnNumber", kReturnNumber, "number of a return's fallback line file \"blr\""},
    {"carried75", CarriedField(75, 8), "carried double"},
    {"headMark", kHeadMark, "1 = the record that represents the note"},
    {"carried85", CarriedField(85, 2), "carried text"},
    {"customer", kCustomer, "customer code"},
    {"carried89", CarriedField(89, 2), "carried small integer"},
    {"carried91", CarriedField(91, 2), "carried small integer"},
    {"invoiced", kInvoiced, "invoiced mark: 0 open, 1 invoiced"},
    {"excluded", kExcluded, "offered for invoicing only when 0"},
}};
static_assert(FieldsCover(kFields, kLength));

inline constexpr Layout kLayout{"bol", kLength, kFields};

}  // namespace bol
}  // namespace qorvana

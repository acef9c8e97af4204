#pragma once
// Delivery-note line qorvana.bol (channel 9, 97 bytes), counted by word 1 of counters
// record 12. Written by the suite's delivery-note program; this module sets the invoiced mark.

#include <array>

#include "core/data_file_types.h"

namespace qorvana {

using DeliveryNoteRecord = DeliveryNotesFile::Record;

namespace bol {

inline constexpr std::size_t kLength = DeliveryNotesFile::Record::kLength;

inline constexpr auto kFields = DeclareFields<DeliveryNoteLayout>({
    {"number", Int16Field(0), "note number"},
    {"date", TextField(2, 8), "note date yyyymmdd"},
    {"carried10", CarriedField(10, 2), "carried small integer"},
    {"carried12", CarriedField(12, 15), "carried text"},
    {"text", TextField(27, 36), "note text; first character R = deposit-account return"},
    {"serial", SingleField(63), "serial; line file \"b\" + serial"},
    {"returnNumber", DoubleField(67), "number of a return's fallback line file \"blr\""},
    {"carried75", CarriedField(75, 8), "carried double"},
    {"headMark", Int16Field(83), "1 = the record that represents the note"},
    {"carried85", CarriedField(85, 2), "carried text"},
    {"customer", Int16Field(87), "customer code"},
    {"carried89", CarriedField(89, 2), "carried small integer"},
    {"carried91", CarriedField(91, 2), "carried small integer"},
    {"invoiced", Int16Field(93), "invoiced mark: 0 open, 1 invoiced"},
    {"excluded", Int16Field(95), "offered for invoicing only when 0"},
});

inline constexpr auto kNumber = kFields["number"];
inline constexpr auto kDate = kFields["date"];
inline constexpr auto kText = kFields["text"];
inline constexpr auto kSerial = kFields["serial"];
inline constexpr auto kReturnNumber = kFields["returnNumber"];
inline constexpr auto kHeadMark = kFields["headMark"];
inline constexpr auto kCustomer = kFields["customer"];
inline constexpr auto kInvoiced = kFields["invoiced"];
inline constexpr auto kExcluded = kFields["excluded"];

inline constexpr Layout kLayout = kFields.layout("bol");

}  // namespace bol
}  // namespace qorvana

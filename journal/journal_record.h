#pragma once
// Journal entry qorvana.gio (channel 18, 296 bytes), counted by word 1 of counters record 13.
//   0  8 text    movement date yyyymmdd
//   8 40 text    description of the movement
//  48  2 int16   0
//  50 20 text    document reference
//  70 18x10      lines 0 to 9, each: side (int16, 0 debit, 1 credit), account code
//                (text 8), amount (double); line k at 70 + 18k
// 250  2 int16   (carried)
// 252  2 int16   (carried)
// 254  8 double  moment of posting: days since 30/12/1899, time as the fraction
// 262  1 text    "1"
// 263 31 text    (carried)
// 294  2 int16   0

#include <array>

#include "core/data_file_types.h"

namespace qorvana {

using JournalRecord = JournalFile::Record;

namespace gio {

inline constexpr std::size_t kLength = JournalFile::Record::kLength;
inline constexpr int kLineCount = 10;
inline constexpr std::size_t kLineStride = 18;

inline constexpr Field kDate = TextField(0, 8);
inline constexpr Field kDescription = TextField(8, 40);
inline constexpr Field kZero48 = Int16Field(48);
inline constexpr Field kReference = TextField(50, 20);
inline constexpr Field kPostedAt = DoubleField(254);
inline constexpr Field kMark = TextField(262, 1);
inline constexpr Field kZero294 = Int16Field(294);

// Fields of journal line k (0..9).
constexpr Field Side(int k) {
    return Int16Field(70 + kLineStride * static_cast<std::size_t>(k));
}
constexpr Field Account(int k) {
    return TextField(72 + kLineStride * static_cast<std::size_t>(k), 8);
}
constexpr Field Amount(int k) {
    return DoubleField(80 + kLineStride * static_cast<std::size_t>(k));
}

inline constexpr std::array<FieldDef, 40> kFields{{
    {"date", kDate, "movement date yyyymmdd"},
    {"description", kDescription, "description of the movement"},
    {"zero48", kZero48, "always 0"},
    {"reference", kReference, "document reference"},
    {"side0", Int16Field(70), "line 0: 0 debit, 1 credit"},
    {"account0", TextField(72, 8), "line 0: account code"},
    {"amount0", DoubleField(80), "line 0: amount"},
    {"side1", Int16Field(88), "line 1: 0 debit, 1 credit"},
    {"account1", TextField(90, 8), "line 1: account code"},
    {"amount1", DoubleField(98), "line 1: amount"},
    {"side2", Int16Field(106), "line 2: 0 debit, 1 credit"},
    {"account2", TextField(108, 8), "line 2: account code"},
    {"amount2", DoubleField(116), "line 2: amount"},
    {"side3", Int16Field(124), "line 3: 0 debit, 1 credit"},
    {"account3", TextField(126, 8), "line 3: account code"},
    {"amount3", DoubleField(134), "line 3: amount"},
    {"side4", Int16Field(142), "line 4: 0 debit, 1 credit"},
    {"account4", TextField(144, 8), "line 4: account code"},
    {"amount4", DoubleField(152), "line 4: amount"},
    {"side5", Int16Field(160), "line 5: 0 debit, 1 credit"},
    {"account5", TextField(162, 8), "line 5: account code"},
    {"amount5", DoubleField(170), "line 5: amount"},
    {"side6", Int16Field(178), "line 6: 0 debit, 1 credit"},
    {"account6", TextField(180, 8), "line 6: account code"},
    {"amount6", DoubleField(188), "line 6: amount"},
    {"side7", Int16Field(196), "line 7: 0 debit, 1 credit"},
    {"account7", TextField(198, 8), "line 7: account code"},
    {"amount7", DoubleField(206), "line 7: amount"},
    {"side8", Int16Field(214), "line 8: 0 debit, 1 credit"},
    {"account8", TextField(216, 8), "line 8: account code"},
    {"amount8", DoubleField(224), "line 8: amount"},
    {"side9", Int16Field(232), "line 9: 0 debit, 1 credit"},
    {"account9", TextField(234, 8), "line 9: account code"},
    {"amount9", DoubleField(242), "line 9: amount"},
    {"carried250", CarriedField(250, 2), "carried small integer"},
    {"carried252", CarriedField(252, 2), "carried small integer"},
    {"postedAt", kPostedAt, "moment of posting, days since 30/12/1899"},
    {"mark", kMark, "\"1\""},
    {"carried263", CarriedField(263, 31), "carried text"},
    {"zero294", kZero294, "always 0"},
}};
static_assert(FieldsCover(kFields, kLength));

inline constexpr Layout kLayout{"gio", kLength, kFields};

}  // namespace gio
}  // namespace qorvana

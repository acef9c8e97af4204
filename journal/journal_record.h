#pragma once
// Journal entry qorvana.gio (channel 18, 296 bytes), counted by word 1 of counters record 13.

#include <array>

#include "core/data_file_types.h"

namespace qorvana {

using JournalRecord = JournalFile::Record;

namespace gio {

inline constexpr std::size_t kLength = JournalFile::Record::kLength;
inline constexpr int kLineCount = 10;
inline constexpr std::size_t kLineStride = 18;

inline constexpr auto kFields = DeclareFields<JournalLayout>({
    {"date", TextField(0, 8), "movement date yyyymmdd"},
    {"description", TextField(8, 40), "description of the movement"},
    {"zero48", Int16Field(48), "always 0"},
    {"reference", TextField(50, 20), "document reference"},
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
    {"postedAt", DoubleField(254), "moment of posting, days since 30/12/1899"},
    {"mark", TextField(262, 1), "\"1\""},
    {"carried263", TextField(263, 31), "carried text, blank in a new record"},
    {"zero294", Int16Field(294), "always 0"},
});

inline constexpr auto kDate = kFields["date"];
inline constexpr auto kDescription = kFields["description"];
inline constexpr auto kZero48 = kFields["zero48"];
inline constexpr auto kReference = kFields["reference"];
inline constexpr auto kPostedAt = kFields["postedAt"];
inline constexpr auto kMark = kFields["mark"];
inline constexpr auto kZero294 = kFields["zero294"];

// Fields of journal line k (0..9). Line 0's fields are constants, so that the names are
// looked up while compiling, never at run time.
inline constexpr auto kSide0 = kFields["side0"];
inline constexpr auto kAccount0 = kFields["account0"];
inline constexpr auto kAmount0 = kFields["amount0"];
constexpr Field<JournalLayout> LineField(Field<JournalLayout> ofLine0, int k) {
    return {
        {ofLine0.offset + kLineStride * static_cast<std::size_t>(k), ofLine0.width, ofLine0.type}};
}
constexpr Field<JournalLayout> Side(int k) {
    return LineField(kSide0, k);
}
constexpr Field<JournalLayout> Account(int k) {
    return LineField(kAccount0, k);
}
constexpr Field<JournalLayout> Amount(int k) {
    return LineField(kAmount0, k);
}
static_assert(Side(9).offset == kFields["side9"].offset &&
              Amount(9).offset == kFields["amount9"].offset);

inline constexpr Layout kLayout = kFields.layout("gio");

}  // namespace gio
}  // namespace qorvana

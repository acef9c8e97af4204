#pragma once
// General settings `gnr` (qorvana.gnr, record 1, 346 bytes): company folder, else data root.

#include <array>

#include "core/record.h"

namespace qorvana {

struct GeneralSettingsLayout : RecordLayout<346> {};
using GeneralSettingsRecord = Record<GeneralSettingsLayout>;

namespace gnr {
inline constexpr std::size_t kLength = GeneralSettingsLayout::kLength;
inline constexpr auto kFields = DeclareFields<GeneralSettingsLayout>({
    {"leading1", Int16Field(0), "leading settings number 1"},
    {"leading2", Int16Field(2), "leading settings number 2"},
    {"leading3", Int16Field(4), "leading settings number 3"},
    {"leading4", Int16Field(6), "leading settings number 4"},
    {"leading5", Int16Field(8), "leading settings number 5"},
    {"leading6", Int16Field(10), "leading settings number 6"},
    {"leading7", Int16Field(12), "leading settings number 7"},
    {"leading8", Int16Field(14), "leading settings number 8"},
    {"leading9", Int16Field(16), "leading settings number 9"},
    {"carried18", TextField(18, 165), "not read by this program"},
    {"versionMark", TextField(183, 1), "version mark, 9"},
    {"versionSwitch1", TextField(184, 1), "switch set to 1 with version mark 9 (flag B)"},
    {"rowColour1", DoubleField(185), "row colour 1"},
    {"rowColour2", DoubleField(193), "row colour 2"},
    {"alternateRows", TextField(201, 1), "alternate-row switch (1 = alternate row colours)"},
    {"versionSwitch2", TextField(202, 1), "switch set to 1 with version mark 9 (flag C)"},
    {"carried203", TextField(203, 1), "not read by this program"},
    {"carried204", TextField(204, 38), "not read by this program"},
    {"scorporo", Int16Field(242), "starting state of the VAT-inclusive box"},
    {"barcode", Int16Field(244), "starting state of the bar-code box"},
    {"carried246", Int16Field(246), "not read by this program"},
    {"defaultVatCode", TextField(248, 2), "default VAT code, 01 to 24"},
    {"weightSwitch", Int16Field(250), "weight switch (1 = total weight into the start form)"},
    {"numberWithYear", TextField(252, 1), "number-with-year switch"},
    {"carried253", TextField(253, 3), "not read by this program"},
    {"carried256", TextField(256, 90), "not read by this program"},
});

inline constexpr auto kCarried18 = kFields["carried18"];
inline constexpr auto kVersionMark = kFields["versionMark"];
inline constexpr auto kVersionSwitch1 = kFields["versionSwitch1"];
inline constexpr auto kRowColour1 = kFields["rowColour1"];
inline constexpr auto kRowColour2 = kFields["rowColour2"];
inline constexpr auto kAlternateRows = kFields["alternateRows"];
inline constexpr auto kVersionSwitch2 = kFields["versionSwitch2"];
inline constexpr auto kScorporo = kFields["scorporo"];
inline constexpr auto kBarcode = kFields["barcode"];
inline constexpr auto kCarried246 = kFields["carried246"];
inline constexpr auto kDefaultVatCode = kFields["defaultVatCode"];
inline constexpr auto kWeightSwitch = kFields["weightSwitch"];
inline constexpr auto kNumberWithYear = kFields["numberWithYear"];
inline constexpr auto kCarried256 = kFields["carried256"];

// Leading settings number i (0..8); the first one's field is looked up while compiling.
inline constexpr auto kLeading1 = kFields["leading1"];
constexpr Field<GeneralSettingsLayout> Leading(std::size_t i) {
    return GeneralSettingsRecord::At(kLeading1, i);
}

inline constexpr double kDefaultRowColour1 = 16579315;  // red 243, green 250, blue 252
inline constexpr double kDefaultRowColour2 = 16777215;  // white

inline constexpr Layout kLayout = kFields.layout("gnr");
}  // namespace gnr

}  // namespace qorvana

#pragma once
// General settings `gnr` (qorvana.gnr, record 1, 346 bytes): company folder, else data root.
//   offset width type   meaning
//   0      18    int16  nine leading settings numbers (0 by default)
//   18     165   text   not read by this program
//   183    1     text   version mark, "9"
//   184    1     text   flag B, "1" by default
//   185    8     double row colour 1 (16579315)
//   193    8     double row colour 2 (16777215, white)
//   201    1     text   alternate-row switch ("1" = alternate row colours)
//   202    1     text   flag C, "1" by default
//   203    1     text   not read by this program
//   204    38    text   not read by this program
//   242    2     int16  starting state of the body form's scorporo box
//   244    2     int16  starting state of the body form's barcode box
//   246    2     int16  not read by this program
//   248    2     text   default VAT code, "01" to "24"
//   250    2     int16  weight switch (1 = total weight into the start form)
//   252    1     text   number-with-year switch
//   253    3     text   not read by this program
//   256    90    text   not read by this program

#include <array>

#include "core/record.h"

namespace qorvana {

namespace gnr {
inline constexpr std::size_t kLength = 346;
// Leading settings number i (0..8).
constexpr Field Leading(std::size_t i) {
    return Int16Field(2 * i);
}
inline constexpr Field kCarried18 = TextField(18, 165);
inline constexpr Field kVersionMark = TextField(183, 1);
inline constexpr Field kFlagB = TextField(184, 1);
inline constexpr Field kRowColour1 = DoubleField(185);
inline constexpr Field kRowColour2 = DoubleField(193);
inline constexpr Field kAlternateRows = TextField(201, 1);
inline constexpr Field kFlagC = TextField(202, 1);
inline constexpr Field kCarried203 = TextField(203, 1);
inline constexpr Field kCarried204 = TextField(204, 38);
inline constexpr Field kScorporo = Int16Field(242);
inline constexpr Field kBarcode = Int16Field(244);
inline constexpr Field kCarried246 = Int16Field(246);
inline constexpr Field kDefaultVatCode = TextField(248, 2);
inline constexpr Field kWeightSwitch = Int16Field(250);
inline constexpr Field kNumberWithYear = TextField(252, 1);
inline constexpr Field kCarried253 = TextField(253, 3);
inline constexpr Field kCarried256 = TextField(256, 90);

inline constexpr double kDefaultRowColour1 = 16579315;  // red 243, green 250, blue 252
inline constexpr double kDefaultRowColour2 = 16777215;  // white

inline constexpr std::array<FieldDef, 26> kFields{{
    {"leading1", Int16Field(0), "leading settings number 1"},
    {"leading2", Int16Field(2), "leading settings number 2"},
    {"leading3", Int16Field(4), "leading settings number 3"},
    {"leading4", Int16Field(6), "leading settings number 4"},
    {"leading5", Int16Field(8), "leading settings number 5"},
    {"leading6", Int16Field(10), "leading settings number 6"},
    {"leading7", Int16Field(12), "leading settings number 7"},
    {"leading8", Int16Field(14), "leading settings number 8"},
    {"leading9", Int16Field(16), "leading settings number 9"},
    {"carried18", kCarried18, "not read by this program"},
    {"versionMark", kVersionMark, "version mark, 9"},
    {"flagB", kFlagB, "flag B"},
    {"rowColour1", kRowColour1, "row colour 1"},
    {"rowColour2", kRowColour2, "row colour 2"},
    {"alternateRows", kAlternateRows, "alternate-row switch (1 = alternate row colours)"},
    {"flagC", kFlagC, "flag C"},
    {"carried203", kCarried203, "not read by this program"},
    {"carried204", kCarried204, "not read by this program"},
    {"scorporo", kScorporo, "starting state of the VAT-inclusive box"},
    {"barcode", kBarcode, "starting state of the bar-code box"},
    {"carried246", kCarried246, "not read by this program"},
    {"defaultVatCode", kDefaultVatCode, "default VAT code, 01 to 24"},
    {"weightSwitch", kWeightSwitch, "weight switch (1 = total weight into the start form)"},
    {"numberWithYear", kNumberWithYear, "number-with-year switch"},
    {"carried253", kCarried253, "not read by this program"},
    {"carried256", kCarried256, "not read by this program"},
}};
static_assert(FieldsCover(kFields, kLength));
inline constexpr Layout kLayout{"gnr", kLength, kFields};
}  // namespace gnr

}  // namespace qorvana

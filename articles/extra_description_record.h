#pragma once
// Extended descriptions qorvana.prx (channel 12, 502 bytes), one record per article at the
// article's record number.

#include <array>

#include "core/data_file_types.h"

namespace qorvana {

using ExtraDescriptionRecord = ExtraDescriptionsFile::Record;

namespace prx {

inline constexpr std::size_t kLength = ExtraDescriptionsFile::Record::kLength;
inline constexpr int kLineCount = 10;
inline constexpr std::int16_t kInUse = 123;

inline constexpr auto kFields = DeclareFields<ExtraDescriptionLayout>({
    {"line1", TextField(0, 50), "description line 1"},
    {"line2", TextField(50, 50), "description line 2"},
    {"line3", TextField(100, 50), "description line 3"},
    {"line4", TextField(150, 50), "description line 4"},
    {"line5", TextField(200, 50), "description line 5"},
    {"line6", TextField(250, 50), "description line 6"},
    {"line7", TextField(300, 50), "description line 7"},
    {"line8", TextField(350, 50), "description line 8"},
    {"line9", TextField(400, 50), "description line 9"},
    {"line10", TextField(450, 50), "description line 10"},
    {"marker", Int16Field(500), "123 = record in use"},
});

// Line i (0-based) is ExtraDescriptionRecord::At(kLine, i).
inline constexpr auto kLine = kFields["line1"];
inline constexpr auto kMarker = kFields["marker"];

inline constexpr Layout kLayout = kFields.layout("prx");

}  // namespace prx
}  // namespace qorvana

#include "fatturapa/fpa_file.h"

#include <algorithm>

#include "core/whole_file.h"

namespace qorvana {

FpaRecord LoadFpaRecord(const std::filesystem::path& file, int* readError) {
    FpaRecord record;
    const FileRead read = ReadWholeFile(file);
    if (readError) *readError = read.error;
    if (!read.ok()) {
        for (auto& byte : record.bytes()) byte = ' ';
        record.setText(fpa::kMarker, "0");
        return record;
    }
    auto bytes = record.bytes();
    std::copy_n(read.bytes.begin(), std::min(read.bytes.size(), bytes.size()), bytes.begin());
    return record;
}

}  // namespace qorvana

#include "fatturapa/fpa_file.h"

#include <algorithm>

#include "core/whole_file.h"

namespace qorvana {

Result<FpaRecord> LoadFpaRecord(const std::filesystem::path& file, const std::string& suiteName) {
    const FileRead read = ReadWholeFile(file);
    if (read.missing) return BlankFpaRecord();
    if (!read.ok()) return Failure{ReadFailureMessage(suiteName, read.error)};
    FpaRecord record;
    auto bytes = record.bytes();
    std::copy_n(read.bytes.begin(), std::min(read.bytes.size(), bytes.size()), bytes.begin());
    return record;
}

FpaRecord BlankFpaRecord() {
    FpaRecord record;
    for (auto& byte : record.bytes()) byte = ' ';
    record.setText(fpa::kMarker, "0");
    return record;
}

}  // namespace qorvana

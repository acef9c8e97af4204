#pragma once
// Reading qorvana.fpa. The file is maintained by another program of the suite: this module
// only reads it and never creates it.

#include <filesystem>
#include <string>

#include "core/result.h"
#include "fatturapa/fpa_record.h"

namespace qorvana {

// Record 1 of `file` (`suiteName` as the operator knows it). A missing file reads as
// BlankFpaRecord(); the file is looked for without creating it. A short file leaves the rest
// zero. A file that is there but cannot be read fails, naming it.
Result<FpaRecord> LoadFpaRecord(const std::filesystem::path& file, const std::string& suiteName);
// The record of a company without qorvana.fpa: blank, its file marker "0".
FpaRecord BlankFpaRecord();

}  // namespace qorvana

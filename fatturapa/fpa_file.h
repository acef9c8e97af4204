#pragma once
// Reading qorvana.fpa. The file is maintained by another program of the suite: this module
// only reads it and never creates it.

#include <filesystem>

#include "fatturapa/fpa_record.h"

namespace qorvana {

// Record 1 of `file`. A missing or unreadable file gives a blank record whose file marker is
// "0"; the file is looked for without creating it. A short file leaves the rest zero. The
// system error of a file that is there but cannot be read goes to `readError`.
FpaRecord LoadFpaRecord(const std::filesystem::path& file, int* readError = nullptr);

}  // namespace qorvana

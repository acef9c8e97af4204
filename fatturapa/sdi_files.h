#pragma once
// Whole files of the exchange-system channel: read at once, written durably.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qorvana {

// The file's bytes; nullopt when it is missing or cannot be read (`reason` says why).
std::optional<std::string> ReadFileBytes(const std::filesystem::path& file, std::string* reason);

// Writes the whole file so that it is either the old file or the new one, even across a crash:
// a temporary name of its own beside it, the bytes flushed to the disk, the rename, the
// folder flushed. `mode` is the new file's permission bits. The system's reason of a failure
// (the file then as it was), empty on success.
std::string WriteFileDurably(const std::filesystem::path& file, std::string_view bytes,
                             unsigned mode = 0644);

}  // namespace qorvana

#pragma once
// Whole files of the exchange-system channel read at once (written with WriteFileDurably).

#include <filesystem>
#include <optional>
#include <string>

namespace qorvana {

// The file's bytes; nullopt when it is missing or cannot be read (`reason` says why, in
// Italian).
std::optional<std::string> ReadFileBytes(const std::filesystem::path& file, std::string* reason);

}  // namespace qorvana

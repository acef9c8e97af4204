#pragma once
// Whole files of the exchange-system channel read at once (written with WriteFileDurably), and
// the channel's log: the libraries' own texts, which the operator is told in Italian.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/result.h"

namespace qorvana {

// The file's bytes; a failure, saying why in Italian, when it is missing or cannot be read.
Result<std::string> ReadFileBytes(const std::filesystem::path& file);

// Writes "PROGRAM: WHAT: ORIGINAL" to the program's log (standard error): a library's or a
// server's own text of what the operator was told in Italian.
void LogOriginal(std::string_view what, std::string_view original);

}  // namespace qorvana

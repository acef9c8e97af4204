#include "fatturapa/sdi_files.h"

#include "core/whole_file.h"

namespace qorvana {

std::optional<std::string> ReadFileBytes(const std::filesystem::path& file, std::string* reason) {
    FileRead read = ReadWholeFile(file);
    if (read.ok()) return std::move(read.bytes);
    if (reason)
        *reason = read.missing ? "il file " + file.string() + " non esiste"
                               : ReadFailureMessage(file.string(), read.error);
    return std::nullopt;
}

}  // namespace qorvana

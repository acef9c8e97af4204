#include "fatturapa/sdi_files.h"

#include <errno.h>

#include <cerrno>
#include <iostream>

#include "core/whole_file.h"

namespace qorvana {

std::optional<std::string> ReadFileBytes(const std::filesystem::path& file, std::string* reason) {
    FileRead read = ReadWholeFile(file);
    if (read.ok()) return std::move(read.bytes);
    if (!reason) return std::nullopt;
    if (read.missing)
        *reason = "il file " + file.string() + " non esiste";
    else if (read.error == EFBIG)  // the reader's own limit, not the disk's
        *reason = "il file " + file.string() +
                  " è troppo grande (oltre 64 MiB) per essere una fattura elettronica o una "
                  "notifica: non è stato letto";
    else
        *reason = ReadFailureMessage(file.string(), read.error);
    return std::nullopt;
}

void LogOriginal(std::string_view what, std::string_view original) {
    if (original.empty()) return;
    std::cerr << program_invocation_short_name << ": " << what << ": " << original << std::endl;
}

}  // namespace qorvana

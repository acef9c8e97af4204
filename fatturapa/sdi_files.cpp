#include "fatturapa/sdi_files.h"

#include <errno.h>

#include <cerrno>
#include <iostream>

#include "core/whole_file.h"

namespace qorvana {

Result<std::string> ReadFileBytes(const std::filesystem::path& file) {
    FileRead read = ReadWholeFile(file);
    if (read.ok()) return std::move(read.bytes);
    if (read.missing) return Failure{"il file " + file.string() + " non esiste"};
    if (read.error == EFBIG)  // the reader's own limit, not the disk's
        return Failure{"il file " + file.string() +
                       " è troppo grande (oltre 64 MiB) per essere una fattura elettronica o una "
                       "notifica: non è stato letto"};
    return Failure{ReadFailureMessage(file.string(), read.error)};
}

void LogOriginal(std::string_view what, std::string_view original) {
    if (original.empty()) return;
    std::cerr << program_invocation_short_name << ": " << what << ": " << original << std::endl;
}

}  // namespace qorvana

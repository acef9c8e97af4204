#include "core/system_error.h"

#include <errno.h>

#include <cerrno>
#include <cstring>
#include <iostream>

namespace qorvana {

std::string ItalianReason(int error) {
    switch (error) {
        case ENOSPC:
        case EDQUOT:
            return "il disco è pieno (liberare spazio e riprovare)";
        case EFBIG:
            return "il file supera la dimensione consentita (liberare spazio e riprovare)";
        case EACCES:
        case EPERM:
            return "mancano i permessi (farli concedere dall'amministratore del sistema)";
        case EROFS:
            return "il disco è di sola lettura (controllare il disco)";
        case EISDIR:
            return "al posto del file c'è una cartella (rimuoverla o rinominarla)";
        case ENOENT:
            return "il file o la sua cartella non esiste";
        case ENOTDIR:
            return "un elemento del percorso non è una cartella (controllare il percorso)";
        case ENAMETOOLONG:
            return "il percorso è troppo lungo";
        case EMFILE:
        case ENFILE:
            return "troppi file aperti (chiudere altri programmi e riprovare)";
        case ENOMEM:
            return "memoria insufficiente (chiudere altri programmi e riprovare)";
        case EIO:
            return "errore del disco (controllare il disco o la rete)";
        case ESTALE:
        case ETIMEDOUT:
        case EHOSTDOWN:
        case EHOSTUNREACH:
        case ENETDOWN:
        case ENETUNREACH:
        case ENOTCONN:
            return "il disco di rete non risponde (controllare la rete e riprovare)";
        default:
            return "errore di sistema n. " + std::to_string(error) + " (avvisare l'assistenza)";
    }
}

void LogSystemError(std::string_view what, int error) {
    // The program's own name: the core serves qorvana and qorxpdf alike.
    std::cerr << program_invocation_short_name << ": " << what << ": " << std::strerror(error)
              << std::endl;
}

}  // namespace qorvana

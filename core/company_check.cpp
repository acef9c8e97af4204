#include "core/company_check.h"

#include <cerrno>
#include <system_error>

#include "core/system_error.h"

namespace qorvana {

Status CheckCompanyNumber(std::optional<int> companyNumber) {
    if (companyNumber && *companyNumber >= 1 && *companyNumber <= 999) return {};
    return Failure{
        "Numero della ditta non valido: la riga di comando deve indicare tre cifre da 001 "
        "a 999."};
}

Status CheckCompanyFolder(const PathMapper& paths, int companyNumber) {
    const std::string folderText = CompanyFolder(companyNumber);
    const std::filesystem::path folder = paths.map(folderText);
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        // The operator knows the suite's path; where it lies on this machine goes to the log.
        LogSystemError("cartella della ditta " + folder.string(), ec ? ec.value() : ENOENT);
        return Failure{"La cartella della ditta " + folderText + " non esiste."};
    }
    const auto tot = FindInFolder(folder, "qorvana.tot");
    const auto fte = FindInFolder(folder, "qorvana.fte");
    const bool totMissing = !std::filesystem::exists(tot, ec);
    const auto fteSize = std::filesystem::file_size(fte, ec);
    if (totMissing && !ec && fteSize > 0) {
        return Failure{"Manca l'archivio dei contatori qorvana.tot nella cartella " + folderText +
                       ", mentre l'archivio delle fatture qorvana.fte contiene dati: ripristinare "
                       "qorvana.tot prima di emettere documenti."};
    }
    return {};
}

}  // namespace qorvana

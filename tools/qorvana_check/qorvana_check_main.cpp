// qorvana-check FILE...: checks FatturaPA 1.2.x files (.xml, .xml.p7m) as the exchange system
// would from the file alone (name, size, signature, 1.2.3 schema and content checks) and
// prints one finding a line, "FILE: CODE: text".
// Exit status: 0 every file passes, 1 some finding, 2 usage error, a file not readable or an
// archive (.zip), whose files are to be checked one by one.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>

#include "fatturapa/fpa_checks.h"
#include "fatturapa/fpa_signed_file_checks.h"

namespace {

constexpr int kPassed = 0;
constexpr int kFindings = 1;
constexpr int kNotChecked = 2;

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return std::move(text).str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") {
        std::cerr << "uso: qorvana-check FILE.xml|FILE.xml.p7m...\n"
                     "Controlla fatture elettroniche FatturaPA 1.2.x come il Sistema di "
                     "Interscambio: nome, dimensione, firma, schema 1.2.3 e contenuto.\n";
        return kNotChecked;
    }
    const auto schema = qorvana::FpaSchema::Load(qorvana::DefaultFpaSchemaPath());
    if (!schema) {
        std::cerr << "qorvana-check: " << schema.message() << "\n";
        return kNotChecked;
    }
    int status = kPassed;
    for (int i = 1; i < argc; ++i) {
        const std::string path = argv[i];
        const std::string name = std::filesystem::path(path).filename().string();
        if (qorvana::IsFpaArchiveName(name)) {
            std::cerr << path
                      << ": archivio .zip non controllato: controllare uno per uno i "
                         "file che contiene\n";
            status = kNotChecked;
            continue;
        }
        const std::optional<std::string> bytes = ReadWholeFile(path);
        if (!bytes) {
            std::cerr << path << ": impossibile leggere il file\n";
            status = kNotChecked;
            continue;
        }
        for (const qorvana::FpaFinding& finding :
             qorvana::CheckFatturaPAFileAsSent(name, *bytes, **schema)) {
            std::cout << path << ": " << qorvana::FormatFinding(finding) << "\n";
            if (status == kPassed) status = kFindings;
        }
    }
    return status;
}

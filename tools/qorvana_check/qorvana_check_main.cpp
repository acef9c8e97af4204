// qorvana-check FILE.xml...: checks FatturaPA 1.2.x files as the exchange system would
// (1.2.3 schema and content checks) and prints one finding a line, "FILE: CODE: text".
// Exit status: 0 every file passes, 1 some finding, 2 usage error or a file not readable.

#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>

#include "fatturapa/fpa_checks.h"

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
        std::cerr << "uso: qorvana-check FILE.xml...\n"
                     "Controlla fatture elettroniche FatturaPA 1.2.x (schema 1.2.3 e controlli "
                     "del Sistema di Interscambio).\n";
        return kNotChecked;
    }
    std::string error;
    const auto schema = qorvana::FpaSchema::Load(qorvana::DefaultFpaSchemaPath(), error);
    if (!schema) {
        std::cerr << "qorvana-check: " << error << "\n";
        return kNotChecked;
    }
    int status = kPassed;
    for (int i = 1; i < argc; ++i) {
        const std::string path = argv[i];
        const std::optional<std::string> xml = ReadWholeFile(path);
        if (!xml) {
            std::cerr << path << ": impossibile leggere il file\n";
            status = kNotChecked;
            continue;
        }
        for (const qorvana::FpaFinding& finding : qorvana::CheckFatturaPA(*xml, *schema)) {
            std::cout << path << ": " << qorvana::FormatFinding(finding) << "\n";
            if (status == kPassed) status = kFindings;
        }
    }
    return status;
}

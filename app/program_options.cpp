#include "app/program_options.h"

#include <cctype>

#include "core/paths.h"

namespace qorvana {

const char* const kProgramHelp =
    "qorvana - emissione fatture, note credito e fatture PA / invoice issuing\n"
    "\n"
    "Uso / usage:\n"
    "  qorvana [options] [COMMAND-LINE]\n"
    "\n"
    "  COMMAND-LINE         riga di comando della suite: caratteri 7-9 = numero azienda\n"
    "                       (the suite's command line; characters 7 to 9 = company number)\n"
    "  --drive DIR          cartella che fa da radice del disco corrente (default:\n"
    "                       QORVANA_DRIVE, else /): \\qorwin\\qorwin\\... is "
    "DIR/qorwin/qorwin/...\n"
    "  --company N          numero azienda 1-999 (overrides the command line)\n"
    "  --now \"dd/mm/yyyy hh:nn\"\n"
    "                       data e ora del programma (the program's clock; default: system)\n"
    "  --print-to DIR       ogni stampa va in DIR/print-N.pdf (instead of the printer)\n"
    "  --replay FILE        esegue lo script operatore FILE e termina; exit status 0 when\n"
    "                       every step passed (see tests/scripts/); relative shot pictures\n"
    "                       go into the --print-to folder\n"
    "  --check-start        apre l'azienda, mostra il modulo iniziale, scrive \"shown\" ed\n"
    "                       esce (starts, draws the start form, says so and ends: a check\n"
    "                       of an installation, and the start-up benchmark's measure)\n"
    "  --help               questo aiuto / this help\n";

Result<ProgramOptions> ParseProgramOptions(const std::vector<std::string>& args) {
    ProgramOptions options;
    struct Valued {
        const char* name;
        std::optional<std::string> ProgramOptions::*field;
    };
    const Valued valued[] = {
        {"--drive", &ProgramOptions::drive},   {"--company", &ProgramOptions::company},
        {"--now", &ProgramOptions::now},       {"--print-to", &ProgramOptions::printTo},
        {"--replay", &ProgramOptions::replay},
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        if (arg == "--check-start") {
            options.checkStart = true;
            continue;
        }
        bool matched = false;
        for (const Valued& v : valued) {
            const std::string name = v.name;
            std::optional<std::string> value;
            if (arg == name) {
                if (i + 1 >= args.size())
                    return {Failure{name + " vuole un valore (needs a value)"}, options};
                value = args[++i];
            } else if (arg.rfind(name + "=", 0) == 0) {
                value = arg.substr(name.size() + 1);
            } else {
                continue;
            }
            options.*(v.field) = *value;
            matched = true;
            break;
        }
        if (matched) continue;
        if (arg.size() > 2 && arg.rfind("--", 0) == 0)
            return {Failure{"opzione sconosciuta (unknown option) " + arg}, options};
        if (options.commandLine)
            return {Failure{"una sola riga di comando (one command line only): " + arg}, options};
        options.commandLine = arg;
    }
    return options;
}

std::optional<int> CompanyOption(const std::string& text) {
    if (text.empty() || text.size() > 3) return std::nullopt;
    int n = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (n < 1 || n > 999) return std::nullopt;
    return n;
}

std::optional<int> ChosenCompany(const ProgramOptions& options) {
    if (options.company) return CompanyOption(*options.company);
    if (options.commandLine) return CompanyFromCommandLine(*options.commandLine);
    return std::nullopt;
}

}  // namespace qorvana

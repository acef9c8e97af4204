#include "tools/qorvana_sdi/sdi_tool.h"

#include <set>

#include "fatturapa/sdi_files.h"

namespace qorvana::sdi_tool {
namespace {

// The options each command takes; "--imap" alone takes no value.
const std::map<std::string, std::set<std::string>>& Allowed() {
    static const std::map<std::string, std::set<std::string>> allowed{
        {"sign", {"--drive", "--company", "--p12", "--password-file"}},
        {"send",
         {"--drive", "--company", "--smtp", "--user", "--password-file", "--from", "--to",
          "--cacert"}},
        {"receipts", {"--drive", "--company", "--imap"}},
        {"status", {"--drive", "--company"}},
    };
    return allowed;
}

}  // namespace

std::optional<std::string> Command::option(const std::string& key) const {
    const auto found = options.find(key);
    if (found == options.end()) return std::nullopt;
    return found->second;
}

Result<Command> ParseCommand(const std::vector<std::string>& args) {
    if (args.empty()) return Failure{"manca il comando"};
    Command command;
    command.name = args[0];
    const auto allowed = Allowed().find(command.name);
    if (allowed == Allowed().end()) return Failure{"comando sconosciuto: " + command.name};
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!arg.starts_with("--")) {
            command.files.push_back(arg);
            continue;
        }
        if (allowed->second.count(arg) == 0)
            return Failure{"l'opzione " + arg + " non vale per " + command.name};
        if (arg == "--imap") {
            command.options[arg] = "";
            continue;
        }
        if (i + 1 >= args.size()) return Failure{"manca il valore di " + arg};
        command.options[arg] = args[++i];
    }
    const bool needsCompany = command.name == "receipts" || command.name == "status";
    if (needsCompany && !command.option("--company"))
        return Failure{command.name + " vuole --drive D --company N"};
    if (command.name == "receipts" && command.files.empty() && !command.option("--imap"))
        return Failure{"receipts vuole i file o le cartelle delle notifiche, oppure --imap"};
    if ((command.name == "sign" || command.name == "send") && command.files.size() != 1)
        return Failure{command.name + " vuole un solo file"};
    if (command.name == "status" && !command.files.empty()) return Failure{"status non vuole file"};
    return command;
}

Result<std::string> ReadPasswordFile(const std::string& file) {
    const Result<std::string> bytes = ReadFileBytes(file);
    if (!bytes) return *bytes.failure();
    return bytes->substr(0, bytes->find_first_of("\r\n"));
}

const char* Usage() {
    return "uso:\n"
           "  qorvana-sdi sign [--drive D --company N] [--p12 FILE --password-file FILE] IN.xml\n"
           "  qorvana-sdi send [--drive D --company N] [--smtp URL --user U --password-file F]\n"
           "                   [--cacert FILE] [--from ADDR] [--to ADDR] FILE\n"
           "  qorvana-sdi receipts --drive D --company N [--imap] [FILE|CARTELLA...]\n"
           "  qorvana-sdi status --drive D --company N\n";
}

}  // namespace qorvana::sdi_tool

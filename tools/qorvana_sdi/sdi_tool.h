#pragma once
// The command line of qorvana-sdi: the command, its options and its files.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"

namespace qorvana::sdi_tool {

struct Command {
    std::string name;                            // sign, send, receipts, status
    std::map<std::string, std::string> options;  // "--drive" -> "D"; flags hold ""
    std::vector<std::string> files;
    std::optional<std::string> option(const std::string& key) const;
};

// The command line (without the program name); a failure gives the Italian reason of an
// unusable one.
Result<Command> ParseCommand(const std::vector<std::string>& args);

// The first line of a password file, without its line break; a failure says why it cannot be
// read.
Result<std::string> ReadPasswordFile(const std::string& file);

// The usage text.
const char* Usage();

}  // namespace qorvana::sdi_tool

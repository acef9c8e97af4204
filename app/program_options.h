#pragma once
// The program's command line: the suite's positional command line (characters 7 to 9 hold the
// company number) and the options for tests, demonstrations and operator scripts.

#include <optional>
#include <string>
#include <vector>

#include "core/result.h"

namespace qorvana {

struct ProgramOptions {
    std::optional<std::string> drive;        // --drive DIR
    std::optional<std::string> company;      // --company N
    std::optional<std::string> now;          // --now "dd/mm/yyyy hh:nn"
    std::optional<std::string> printTo;      // --print-to DIR
    std::optional<std::string> replay;       // --replay FILE
    std::optional<std::string> commandLine;  // the suite's command line
    bool checkStart = false;                 // --check-start
    bool help = false;
};

// Reads the arguments after the program name. One it does not understand fails, carrying the
// options read before it (--help among them).
Result<ProgramOptions> ParseProgramOptions(const std::vector<std::string>& args);
// The company number of --company: a whole number 1..999; nullopt otherwise.
std::optional<int> CompanyOption(const std::string& text);
// The company to work on: --company first, else the suite's command line.
std::optional<int> ChosenCompany(const ProgramOptions& options);

extern const char* const kProgramHelp;

}  // namespace qorvana

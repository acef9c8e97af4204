#pragma once
// What one run of qorxpdf does, read from its command line and its settings files.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/result.h"

namespace qorvana::qorxpdf {

// The comma-joined argument: layout file, print image, PDF file, e-mail address or "***",
// optional extra argument (Windows paths, as the invoicing module writes them).
struct JobArgument {
    std::string layoutFile;
    std::string printImage;
    std::string pdfFile;
    std::string email;  // empty when no mail is to be sent
    std::string extra;
};

struct CommandLine {
    std::optional<std::string> drive;  // --drive DIR
    JobArgument job;
};

// "--drive DIR" (or "--drive=DIR") and the comma-joined argument; an argument split at
// blanks by a shell is joined again. A failure when the argument is unusable.
Result<CommandLine> ParseCommandLine(const std::vector<std::string>& args);

// What went wrong in a run: an Italian sentence for the operator (what failed, what to do),
// and the system's own text, kept for the log only.
struct RunError {
    std::string message;
    std::string detail;
    bool failed() const { return !message.empty(); }
};

// "key=value" lines (Windows-1252, keys in any case, "#" or ";" comment lines).
using KeyValues = std::map<std::string, std::string>;
KeyValues ParseKeyValues(std::string_view cp1252);
// The entries of a settings file: none for a missing file; a file that is there but cannot
// be read is an error naming it by `suiteName`.
std::variant<KeyValues, RunError> ReadKeyValues(const std::filesystem::path& file,
                                                const std::string& suiteName);

// Page size and margins in millimetres.
struct PageSetup {
    double width = 210;
    double height = 297;
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};
// The page of the layout file `qorvana.lxf`: A4 with no margins for what it does not give.
PageSetup PageSetupOf(const KeyValues& values);

enum class Security { None, StartTls, Tls };

struct MailSettings {
    std::string server;
    int port = 587;
    Security security = Security::StartTls;
    std::string sender;
    std::string user;
    std::string password;
    std::string subject = "Documento {file}";
    std::string body = "In allegato il documento {file}.";
};
// The mail settings of `qorxpdf.ini` (named `suiteName` in messages); a failure when a
// required value is missing or wrong.
Result<MailSettings> MailSettingsOf(const KeyValues& values, const std::string& suiteName);
// The template with "{file}" replaced by the PDF's file name and "\n" by a line break.
std::string FillTemplate(std::string_view text, std::string_view fileName);

// One line of the run log: time, result, PDF, recipient, error (the operator's sentence and,
// in brackets, the system's text), separated by tabs.
std::string LogLine(std::string_view time, std::string_view pdf, std::string_view email,
                    const RunError& error);
// Appends `line` (UTF-8) to the log file in Windows-1252; false when it cannot.
bool AppendLog(const std::filesystem::path& logFile, std::string_view line);

}  // namespace qorvana::qorxpdf

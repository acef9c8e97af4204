#pragma once
// What one run of qorxpdf does, read from its command line and its settings files.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

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
// blanks by a shell is joined again. An error text when the argument is unusable.
std::variant<CommandLine, std::string> ParseCommandLine(const std::vector<std::string>& args);

// "key=value" lines (Windows-1252, keys in any case, "#" or ";" comment lines); a missing
// file gives no entries.
using KeyValues = std::map<std::string, std::string>;
KeyValues ReadKeyValues(const std::filesystem::path& file);

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
PageSetup ReadPageSetup(const std::filesystem::path& layoutFile);

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
// The mail settings of `qorxpdf.ini`; an error text when a required value is missing or wrong.
std::variant<MailSettings, std::string> ReadMailSettings(const std::filesystem::path& file);
// The template with "{file}" replaced by the PDF's file name and "\n" by a line break.
std::string FillTemplate(std::string_view text, std::string_view fileName);

// One line of the run log: time, result, PDF, recipient, error, separated by tabs.
std::string LogLine(std::string_view time, bool ok, std::string_view pdf, std::string_view email,
                    std::string_view error);
// Appends `line` (UTF-8) to the log file in Windows-1252; false when it cannot.
bool AppendLog(const std::filesystem::path& logFile, std::string_view line);

}  // namespace qorvana::qorxpdf

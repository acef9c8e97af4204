#include "tools/qorxpdf/qorxpdf_job.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "core/cp1252.h"
#include "core/numbers.h"
#include "core/text.h"
#include "core/whole_file.h"

namespace qorvana::qorxpdf {
namespace {

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string_view::npos;
         start = at + 1) {
        parts.emplace_back(text.substr(start, at - start));
    }
    parts.emplace_back(text.substr(start));
    return parts;
}

std::string Value(const KeyValues& values, const std::string& key) {
    const auto found = values.find(key);
    return found == values.end() ? std::string() : found->second;
}

// A number of the layout file: a finite number of at least `minimum`, else `fallback`.
double Millimetres(const KeyValues& values, const std::string& key, double minimum,
                   double fallback) {
    const std::optional<double> value = FiniteVal(Value(values, key));
    const bool given = !Trim(Value(values, key)).empty();
    return given && value && *value >= minimum && *value < 10000 ? *value : fallback;
}

}  // namespace

Result<CommandLine> ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    std::string joined;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--drive" && i + 1 < args.size()) {
            line.drive = args[++i];
        } else if (args[i].starts_with("--drive=")) {
            line.drive = args[i].substr(8);
        } else {
            joined += (joined.empty() ? "" : " ") + args[i];
        }
    }
    std::vector<std::string> fields = Split(joined, ',');
    if (fields.size() < 4) {
        return Failure{
            "argomento non valido: servono file di layout, file di stampa, "
            "file PDF e indirizzo (o ***) separati da virgole"};
    }
    for (std::string& field : fields) field = Trim(field);
    JobArgument& job = line.job;
    job.layoutFile = fields[0];
    job.printImage = fields[1];
    job.pdfFile = fields[2];
    job.email = fields[3] == "***" ? "" : fields[3];
    for (std::size_t i = 4; i < fields.size(); ++i) {
        job.extra += (i > 4 ? "," : "") + fields[i];
    }
    if (job.printImage.empty() || job.pdfFile.empty()) {
        return Failure{"argomento non valido: manca il file di stampa o il file PDF"};
    }
    return line;
}

KeyValues ParseKeyValues(std::string_view cp1252) {
    KeyValues values;
    const std::string text = Cp1252ToUtf8(cp1252);
    for (std::string line : Split(text, '\n')) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string trimmed = Trim(line, kBlanksAndTabs);
        const std::size_t equals = trimmed.find('=');
        if (trimmed.empty() || trimmed[0] == '#' || trimmed[0] == ';' || equals == 0 ||
            equals == std::string::npos) {
            continue;
        }
        values[LowerAscii(Trim(trimmed.substr(0, equals), kBlanksAndTabs))] =
            Trim(trimmed.substr(equals + 1), kBlanksAndTabs);
    }
    return values;
}

std::variant<KeyValues, RunError> ReadKeyValues(const std::filesystem::path& file,
                                                const std::string& suiteName) {
    const FileRead read = ReadWholeFile(file);
    if (read.missing) return KeyValues{};
    if (read.error != 0)
        return RunError{ReadFailureMessage(suiteName, read.error) + ".",
                        file.string() + ": " + std::strerror(read.error)};
    return ParseKeyValues(read.bytes);
}

PageSetup PageSetupOf(const KeyValues& values) {
    PageSetup page;
    page.width = Millimetres(values, "larghezza", 10, page.width);
    page.height = Millimetres(values, "altezza", 10, page.height);
    page.left = Millimetres(values, "margine_sinistro", 0, 0);
    page.top = Millimetres(values, "margine_superiore", 0, 0);
    page.right = Millimetres(values, "margine_destro", 0, 0);
    page.bottom = Millimetres(values, "margine_inferiore", 0, 0);
    // Margins that leave no printable area are ignored.
    if (page.left + page.right >= page.width) page.left = page.right = 0;
    if (page.top + page.bottom >= page.height) page.top = page.bottom = 0;
    return page;
}

Result<MailSettings> MailSettingsOf(const KeyValues& values, const std::string& suiteName) {
    MailSettings mail;
    mail.server = Value(values, "server");
    mail.sender = Value(values, "mittente");
    mail.user = Value(values, "utente");
    mail.password = Value(values, "password");
    if (!Value(values, "oggetto").empty()) mail.subject = Value(values, "oggetto");
    if (!Value(values, "testo").empty()) mail.body = Value(values, "testo");
    const std::string security = LowerAscii(Value(values, "sicurezza"));
    if (security == "none" || security == "nessuna") {
        mail.security = Security::None;
    } else if (security == "tls" || security == "ssl") {
        mail.security = Security::Tls;
    } else if (security.empty() || security == "starttls") {
        mail.security = Security::StartTls;
    } else {
        return Failure{"Sicurezza sconosciuta in " + suiteName + ": " + security};
    }
    const std::string port = Value(values, "porta");
    const double portNumber =
        port.empty() ? (mail.security == Security::Tls ? 465 : 587) : Val(port);
    if (!(portNumber >= 1 && portNumber <= 65535) || portNumber != std::floor(portNumber)) {
        return Failure{"Porta non valida in " + suiteName + ": " + port};
    }
    mail.port = static_cast<int>(portNumber);
    if (mail.server.empty() || mail.sender.empty()) {
        return Failure{"Server o mittente mancante in " + suiteName};
    }
    return mail;
}

std::string FillTemplate(std::string_view text, std::string_view fileName) {
    std::string filled;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i).starts_with("{file}")) {
            filled += fileName;
            i += 5;
        } else if (text.substr(i).starts_with("\\n")) {
            filled += "\r\n";
            ++i;
        } else {
            filled += text[i];
        }
    }
    return filled;
}

std::string LogLine(std::string_view time, std::string_view pdf, std::string_view email,
                    const RunError& error) {
    std::string text = error.message;
    if (!error.detail.empty()) text += " [" + error.detail + "]";
    std::string line = std::string(time) + "\t" + (error.failed() ? "ERRORE" : "OK") + "\t" +
                       std::string(pdf) + "\t" + std::string(email.empty() ? "***" : email) + "\t" +
                       text;
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return line;
}

bool AppendLog(const std::filesystem::path& logFile, std::string_view line) {
    const std::string bytes = Utf8ToCp1252(line) + "\r\n";
    const int fd = ::open(logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = true;
    for (std::size_t at = 0; ok && at < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + at, bytes.size() - at);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) at += static_cast<std::size_t>(n);
    }
    return ::close(fd) == 0 && ok;
}

}  // namespace qorvana::qorxpdf

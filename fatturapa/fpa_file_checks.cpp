// The exchange system's checks on a file as sent, before its content: the name and the size.

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/text.h"
#include "fatturapa/fpa_checks.h"

namespace qorvana {
namespace {

// Over 5 MB a file is refused (00003). Whether the megabyte is 10^6 or 2^20 bytes is not
// published; the larger is taken, so that no file the system accepts is refused here.
constexpr std::size_t kMaxFileBytes = 5 * 1024 * 1024;
// Lower-case letters in the progressive of the name: sources differ on whether the system
// accepts them, so they are let pass here (the program writes only 0-9 and A-Z).
constexpr bool kLowerCaseProgressive = true;
// Extensions in capitals (".XML.P7M") are let pass for the same reason.
constexpr bool kUpperCaseExtension = true;

bool EndsWith(std::string_view name, std::string_view extension) {
    if (name.size() < extension.size()) return false;
    const std::string_view tail = name.substr(name.size() - extension.size());
    return kUpperCaseExtension ? LowerAscii(tail) == extension : tail == extension;
}

bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

bool IsAlphanumeric(char c) {
    return IsUpper(c) || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool IsProgressiveCharacter(char c) {
    return IsUpper(c) || (c >= '0' && c <= '9') || (kLowerCaseProgressive && c >= 'a' && c <= 'z');
}

// The file name without its extension; empty when the extension is not one the system takes.
std::string_view Stem(std::string_view name) {
    for (std::string_view extension : {".xml.p7m", ".xml", ".zip"})
        if (EndsWith(name, extension)) return name.substr(0, name.size() - extension.size());
    return {};
}

// The name's fault, without the rule.
std::string NameFault(std::string_view name) {
    const std::string_view stem = Stem(name);
    if (stem.empty()) return "l'estensione non è .xml, .xml.p7m o .zip";
    if (stem.size() < 2 || !IsUpper(stem[0]) || !IsUpper(stem[1]))
        return "non inizia con il codice del paese del trasmittente (2 lettere maiuscole)";
    const std::size_t underscore = stem.find('_');
    if (underscore == std::string_view::npos)
        return "manca il trattino basso \"_\" prima del progressivo";
    const std::string_view id = stem.substr(2, underscore - 2);
    const std::string_view progressive = stem.substr(underscore + 1);
    const bool italian = stem.substr(0, 2) == "IT";
    const std::size_t least = italian ? 11 : 2, most = italian ? 16 : 28;
    if (id.size() < least || id.size() > most || !std::all_of(id.begin(), id.end(), IsAlphanumeric))
        return "l'identificativo del trasmittente \"" + std::string(id) + "\" deve avere da " +
               std::to_string(least) + " a " + std::to_string(most) + " lettere o cifre";
    if (progressive.empty() || progressive.size() > 5 ||
        !std::all_of(progressive.begin(), progressive.end(), IsProgressiveCharacter))
        return "il progressivo \"" + std::string(progressive) +
               "\" deve avere da 1 a 5 lettere o cifre";
    return {};
}

void CheckSize(std::string_view bytes, std::vector<FpaFinding>& out) {  // 00003
    if (bytes.size() <= kMaxFileBytes) return;
    out.push_back({"00003",
                   "il file ha " + std::to_string(bytes.size()) + " byte, più dei 5 MB ammessi" +
                       kFileRefused + ". Dividere i documenti in più file",
                   "", 0});
}

}  // namespace

bool IsFpaArchiveName(std::string_view fileName) {
    return LowerAscii(fileName).ends_with(".zip");
}

std::vector<FpaFinding> CheckFatturaPAFileName(std::string_view fileName, std::string_view bytes) {
    std::vector<FpaFinding> findings;
    if (const std::string fault = NameFault(fileName); !fault.empty())
        findings.push_back({"00001",
                            "il nome del file \"" + std::string(fileName) +
                                "\" non è valido: " + fault + kFileRefused +
                                ". Il nome è paese e identificativo del trasmittente, \"_\", un "
                                "progressivo di 1-5 lettere o cifre, .xml o .xml.p7m "
                                "(IT01234567897_0000H.xml)",
                            "", 0});
    CheckSize(bytes, findings);
    return findings;
}

std::vector<FpaFinding> CheckFatturaPAFile(std::string_view fileName, std::string_view bytes,
                                           const FpaSchema& schema) {
    std::vector<FpaFinding> findings = CheckFatturaPAFileName(fileName, bytes);
    if (IsFpaArchiveName(fileName)) return findings;
    std::vector<FpaFinding> content = CheckFatturaPA(bytes, schema);
    findings.insert(findings.end(), content.begin(), content.end());
    return findings;
}

Result<std::vector<FpaFinding>> CheckWithProgramSchema(std::string_view fileName,
                                                       std::string_view bytes) {
    static std::unique_ptr<FpaSchema> schema;
    if (!schema) {
        Result<std::unique_ptr<FpaSchema>> loaded = FpaSchema::Load(DefaultFpaSchemaPath());
        if (!loaded) return *loaded.failure();
        schema = std::move(*loaded);
    }
    return CheckFatturaPAFile(fileName, bytes, *schema);
}

}  // namespace qorvana

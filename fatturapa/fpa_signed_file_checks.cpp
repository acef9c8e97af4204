// The signature of a signed FatturaPA file, checked before its content.

#include "fatturapa/fpa_signed_file_checks.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text.h"
#include "fatturapa/sdi_files.h"
#include "fatturapa/sdi_signature.h"

namespace qorvana {
namespace {

// The signature of a .p7m; the XML it envelops, or nothing when it cannot be opened.
std::optional<std::string> CheckSignature(std::string_view bytes,
                                          std::vector<FpaFinding>& out) {  // 00106, 00102, 00103
    using Result = SignatureCheck::Result;
    SignatureCheck check = VerifySignedFile(bytes);
    switch (check.result) {
        case Result::Unreadable:
            out.push_back({"00106",
                           "il file .p7m non è una busta firmata CAdES leggibile che contiene "
                           "la fattura" +
                               kFileRefused + ". Firmare di nuovo il file XML",
                           "", 0});
            return std::nullopt;
        case Result::Broken:
            LogOriginal("firma del file .p7m", check.reason);
            out.push_back({"00102",
                           "la firma del file .p7m non corrisponde al contenuto" + kFileRefused +
                               ". Firmare di nuovo il file XML, senza modificarlo dopo la firma",
                           "", 0});
            break;
        case Result::NoSigningTime:
            out.push_back({"00103",
                           "la firma del file .p7m non indica il momento della firma "
                           "(signingTime)" +
                               kFileRefused + ". Firmare di nuovo con un programma che lo registra",
                           "", 0});
            break;
        case Result::Verified:
            break;
    }
    return std::move(check.content);
}

}  // namespace

std::vector<FpaFinding> CheckFatturaPAFileAsSent(std::string_view fileName, std::string_view bytes,
                                                 const FpaSchema& schema) {
    if (!LowerAscii(fileName).ends_with(".xml.p7m"))
        return CheckFatturaPAFile(fileName, bytes, schema);
    std::vector<FpaFinding> findings = CheckFatturaPAFileName(fileName, bytes);
    const std::optional<std::string> signedXml = CheckSignature(bytes, findings);
    if (!signedXml) return findings;
    std::vector<FpaFinding> content = CheckFatturaPA(*signedXml, schema);
    findings.insert(findings.end(), content.begin(), content.end());
    return findings;
}

}  // namespace qorvana

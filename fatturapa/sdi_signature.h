#pragma once
// The signature of an e-invoice file: CAdES-BES, a CMS signed-data structure in DER with the
// signed file enveloped in it (the ".xml.p7m" the exchange system accepts), made with the
// company's certificate and key from a PKCS#12 file.

#include <optional>
#include <string>
#include <string_view>

#include "core/result.h"

namespace qorvana {

// Signs `content` with the key and certificate of the PKCS#12 bytes (its other certificates
// travel in the signature too): SHA-256, the signing time and the signing-certificate-v2
// attribute that makes it CAdES-BES. The .p7m bytes (DER), or why nothing was signed, in
// Italian.
Result<std::string> SignCadesBes(std::string_view content, std::string_view pkcs12,
                                 const std::string& password);

// The file enveloped in a signed .p7m (DER, or the same in base64), the signature not checked;
// nullopt when the bytes are not a signed-data structure with its content.
std::optional<std::string> SignedContent(std::string_view p7m);

// A signed .p7m checked as the exchange system checks it from the file alone: the signature
// over the content and the signing time. The certificate's chain, validity and revocation
// need the trust list and the moment of reception, and are not checked.
struct SignatureCheck {
    enum class Result {
        Verified,
        Unreadable,     // not a signed-data structure enveloping its content
        Broken,         // a signature does not match the content, or cannot be checked
        NoSigningTime,  // a signer gives no signing time
    };
    Result result = Result::Unreadable;
    std::string content;  // the file signed, whenever the structure could be read
    std::string reason;   // OpenSSL's reason when Broken
};
SignatureCheck VerifySignedFile(std::string_view p7m);

// True for a file name ending ".p7m" (any case).
bool IsSignedFileName(std::string_view name);

}  // namespace qorvana

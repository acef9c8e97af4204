#pragma once
// Reading saved e-mail messages (.eml, RFC 5322 with MIME): the files they carry. A certified
// mail (PEC) message wraps the original message as an attached message, so nested messages
// and multiparts are followed. Reads any bytes without failing: what cannot be understood is
// skipped.

#include <string>
#include <string_view>
#include <vector>

namespace qorvana {

struct MailAttachment {
    std::string fileName;  // as the message names it, without any folder
    std::string bytes;     // decoded
    std::string sender;    // the From address of the message that carries it
};

// Every attached file of the message, nested messages included, in order.
std::vector<MailAttachment> MailAttachments(std::string_view message);

// The bare address of a From or To header: "Nome <a@b.it>" gives "a@b.it".
std::string AddressOf(std::string_view header);

// base64 to bytes; characters outside the alphabet are skipped.
std::string DecodeBase64(std::string_view text);

}  // namespace qorvana

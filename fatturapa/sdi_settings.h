#pragma once
// The company's settings for sending e-invoices by certified mail: the signing certificate,
// the PEC account and the exchange system's address. A file of this program's own,
// qorvana-sdi.ini in the company folder ("key=value" lines, described in the README); it holds
// passwords, so it is refused unless only its owner can read it.

#include <filesystem>
#include <optional>
#include <string>

#include "core/result.h"
#include "fatturapa/mail_transport.h"

namespace qorvana {

class PathMapper;

inline constexpr const char* kSdiSettingsFile = "qorvana-sdi.ini";
// The address the exchange system publishes for a sender's first file; its first answer
// names the one to use from then on.
inline constexpr const char* kSdiDefaultAddress = "sdi01@pec.fatturapa.it";

enum class SignPolicy { PublicAdministration, Always };

struct SdiSettings {
    std::filesystem::path certificate;  // PKCS#12 file (host path)
    std::string certificatePassword;
    SignPolicy sign = SignPolicy::PublicAdministration;
    std::string pecAddress;  // the company's certified address: the sender
    MailAccount smtp;
    MailAccount imap;           // url empty when the mailbox is not read by IMAP
    std::string systemAddress;  // empty: the one the system gave, else the default
    bool sendAfterConfirmation = false;
};

// Reads the settings file; paths in it are suite paths, mapped by `paths`. A failure says, in
// Italian, what is wrong and what to do.
Result<SdiSettings> ReadSdiSettings(const std::filesystem::path& file, const PathMapper& paths);

// The address to send to: the settings' own, else the one the system assigned, else its
// published default.
std::string SystemAddressFor(const SdiSettings& settings, const std::string& assigned);

}  // namespace qorvana

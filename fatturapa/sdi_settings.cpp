#include "fatturapa/sdi_settings.h"

#include <sys/stat.h>

#include "core/key_value_file.h"
#include "core/paths.h"
#include "core/text.h"
#include "fatturapa/sdi_files.h"

namespace qorvana {

Result<SdiSettings> ReadSdiSettings(const std::filesystem::path& file, const PathMapper& paths) {
    const std::string name = file.filename().string();
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0)
        return Failure{
            "mancano le impostazioni per l'invio delle fatture elettroniche: "
            "creare il file " +
            name + " nella cartella dell'azienda"};
    if ((info.st_mode & 077) != 0)
        return Failure{"il file " + name +
                       " contiene password ma è leggibile da altri utenti: renderlo "
                       "leggibile solo dal proprietario (chmod 600 " +
                       name + ")"};
    const Result<std::string> bytes = ReadFileBytes(file);
    if (!bytes) return Failure{bytes.message()};
    const KeyValues values = ParseKeyValues(*bytes);

    SdiSettings s;
    if (const std::string p12 = ValueOf(values, "certificato"); !p12.empty())
        s.certificate = paths.map(p12);
    s.certificatePassword = ValueOf(values, "password_certificato");
    const std::string sign = LowerAscii(ValueOf(values, "firma"));
    if (sign == "sempre")
        s.sign = SignPolicy::Always;
    else if (!sign.empty() && sign != "pa")
        return Failure{"in " + name + " firma vale \"" + sign +
                       "\": i valori possibili "
                       "sono pa e sempre"};
    s.pecAddress = ValueOf(values, "pec");
    s.smtp.url = ValueOf(values, "smtp");
    s.imap.url = ValueOf(values, "imap");
    s.smtp.user = s.imap.user = ValueOf(values, "utente");
    s.smtp.password = s.imap.password = ValueOf(values, "password");
    if (const std::string ca = ValueOf(values, "ca"); !ca.empty())
        s.smtp.caFile = s.imap.caFile = paths.map(ca).string();
    s.systemAddress = ValueOf(values, "sdi");
    const std::string after = LowerAscii(ValueOf(values, "invio_dopo_conferma"));
    s.sendAfterConfirmation = after == "si" || after == "sì" || after == "1";

    if (!s.pecAddress.empty() && !IsMailAddress(s.pecAddress))
        return Failure{"in " + name + " l'indirizzo pec \"" + s.pecAddress +
                       "\" non è un indirizzo di posta"};
    if (!s.systemAddress.empty() && !IsMailAddress(s.systemAddress))
        return Failure{"in " + name + " l'indirizzo sdi \"" + s.systemAddress +
                       "\" non è un indirizzo di posta"};
    for (const auto& [url, scheme] : {std::pair{s.smtp.url, "smtp"}, std::pair{s.imap.url, "imap"}})
        if (!url.empty())
            if (const std::string bad = MailUrlProblem(url, scheme); !bad.empty())
                return Failure{"in " + name + ": " + bad};
    return s;
}

std::string SystemAddressFor(const SdiSettings& settings, const std::string& assigned) {
    if (!settings.systemAddress.empty()) return settings.systemAddress;
    if (!assigned.empty()) return assigned;
    return kSdiDefaultAddress;
}

}  // namespace qorvana

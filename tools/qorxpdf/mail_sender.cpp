#include "tools/qorxpdf/mail_sender.h"

#include "core/whole_file.h"
#include "fatturapa/mail_transport.h"

namespace qorvana::qorxpdf {
namespace {

// What the operator is told about a failed transfer; `problem` is the sender's own wording,
// for the cases qorxpdf has none of its own.
std::string MailReason(MailFailure failure, const std::string& problem) {
    switch (failure) {
        case MailFailure::HostNotFound:
            return "il server di posta non è stato trovato: controllare il server in qorxpdf.ini "
                   "e la connessione a internet";
        case MailFailure::NoAnswer:
            return "il server di posta non risponde: controllare server e porta in qorxpdf.ini";
        case MailFailure::TimedOut:
            return "il server di posta non ha risposto in tempo: riprovare più tardi";
        case MailFailure::LoginDenied:
            return "il server di posta ha rifiutato utente o password: controllarli in "
                   "qorxpdf.ini";
        case MailFailure::NoTls:
            return "il server di posta non offre una connessione protetta: controllare la "
                   "sicurezza in qorxpdf.ini";
        case MailFailure::TlsFailed:
            return "la connessione protetta con il server di posta non è riuscita: controllare "
                   "sicurezza e porta in qorxpdf.ini";
        case MailFailure::OddReply:
            return "il server di posta ha risposto in modo inatteso: controllare server, porta e "
                   "sicurezza in qorxpdf.ini";
        case MailFailure::BadRecipient:
            return "l'indirizzo di posta del cliente non è valido: controllarlo nella scheda del "
                   "cliente";
        case MailFailure::RecipientRefused:
            return "il server di posta ha rifiutato l'indirizzo del cliente: controllarlo "
                   "nella scheda del cliente";
        case MailFailure::BadSender:
            return "l'indirizzo del mittente non è valido: controllarlo in qorxpdf.ini";
        case MailFailure::SenderRefused:
            return "il server di posta ha rifiutato il mittente: controllarlo in qorxpdf.ini";
        case MailFailure::ConnectionLost:
            return "la connessione con il server di posta si è interrotta: riprovare più tardi";
        case MailFailure::Unavailable:
            return "la posta elettronica non è disponibile";
        case MailFailure::OutOfMemory:
        case MailFailure::BadUrl:
            return problem;
        default:
            return "il server di posta non ha accettato il messaggio: avvisare l'assistenza";
    }
}

MailAccount AccountOf(const MailSettings& settings) {
    MailAccount account;
    account.url = (settings.security == Security::Tls ? "smtps://" : "smtp://") + settings.server +
                  ":" + std::to_string(settings.port);
    account.user = settings.user;
    account.password = settings.password;
    account.tls = settings.security == Security::None ? MailTls::Plain : MailTls::Required;
    return account;
}

}  // namespace

RunError SendPdf(const MailSettings& settings, const std::string& recipient,
                 const std::filesystem::path& pdf) {
    FileRead read = ReadWholeFile(pdf);
    if (!read.ok()) return {"il PDF non si può leggere", pdf.string()};
    const std::string fileName = pdf.filename().string();
    OutgoingMail mail;
    mail.from = settings.sender;
    mail.to = recipient;
    mail.subject = FillTemplate(settings.subject, fileName);
    mail.body = FillTemplate(settings.body, fileName) + "\r\n";
    mail.attachmentName = fileName;
    mail.attachment = std::move(read.bytes);
    mail.attachmentType = "application/pdf";
    const MailSent sent = SendMail(AccountOf(settings), mail);
    if (sent.problem.empty()) return {};
    const std::string& said = sent.systemText.empty() ? sent.problem : sent.systemText;
    return {MailReason(sent.failure, sent.problem), "invio a " + settings.server + ":" +
                                                        std::to_string(settings.port) +
                                                        " non riuscito: " + said};
}

}  // namespace qorvana::qorxpdf

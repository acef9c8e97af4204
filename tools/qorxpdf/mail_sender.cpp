#include "tools/qorxpdf/mail_sender.h"

#include <curl/curl.h>

#include <QByteArray>
#include <QDateTime>
#include <QUuid>
#include <algorithm>
#include <memory>
#include <string_view>

namespace qorvana::qorxpdf {
namespace {

// A header value in UTF-8: as it is when plain ASCII, else an RFC 2047 encoded word.
std::string HeaderText(const std::string& utf8) {
    const bool ascii = std::all_of(utf8.begin(), utf8.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 128; });
    if (ascii) return utf8;
    return "=?UTF-8?B?" + QByteArray::fromStdString(utf8).toBase64().toStdString() + "?=";
}

std::string Domain(const std::string& address) {
    const std::size_t at = address.rfind('@');
    return at == std::string::npos ? "localhost" : address.substr(at + 1);
}

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
    void operator()(curl_mime* mime) const { curl_mime_free(mime); }
};
template <typename T>
using CurlPtr = std::unique_ptr<T, CurlDeleter>;

curl_slist* Append(CurlPtr<curl_slist>& list, const std::string& line) {
    curl_slist* grown = curl_slist_append(list.get(), line.c_str());
    if (grown) {
        list.release();
        list.reset(grown);
    }
    return grown;
}

// What the operator is told about a failed transfer, by libcurl's result and its error text
// ("RCPT failed: 553").
std::string MailReason(CURLcode result, std::string_view text) {
    switch (result) {
        case CURLE_COULDNT_RESOLVE_HOST:
            return "il server di posta non è stato trovato: controllare il server in qorxpdf.ini "
                   "e la connessione a internet";
        case CURLE_COULDNT_CONNECT:
            return "il server di posta non risponde: controllare server e porta in qorxpdf.ini";
        case CURLE_OPERATION_TIMEDOUT:
            return "il server di posta non ha risposto in tempo: riprovare più tardi";
        case CURLE_LOGIN_DENIED:
            return "il server di posta ha rifiutato utente o password: controllarli in "
                   "qorxpdf.ini";
        case CURLE_USE_SSL_FAILED:
            return "il server di posta non offre una connessione protetta: controllare la "
                   "sicurezza in qorxpdf.ini";
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CACERT_BADFILE:
            return "la connessione protetta con il server di posta non è riuscita: controllare "
                   "sicurezza e porta in qorxpdf.ini";
        case CURLE_WEIRD_SERVER_REPLY:
            return "il server di posta ha risposto in modo inatteso: controllare server, porta e "
                   "sicurezza in qorxpdf.ini";
        case CURLE_SEND_ERROR:
        case CURLE_RECV_ERROR:
        case CURLE_GOT_NOTHING:
            if (text.starts_with("RCPT"))
                return "il server di posta ha rifiutato l'indirizzo del cliente: controllarlo "
                       "nella scheda del cliente";
            if (text.starts_with("MAIL"))
                return "il server di posta ha rifiutato il mittente: controllarlo in qorxpdf.ini";
            return "la connessione con il server di posta si è interrotta: riprovare più tardi";
        default:
            return "il server di posta non ha accettato il messaggio: avvisare l'assistenza";
    }
}

}  // namespace

RunError SendPdf(const MailSettings& settings, const std::string& recipient,
                 const std::filesystem::path& pdf) {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    if (!initialised) return {"la posta elettronica non è disponibile", "curl_global_init"};
    const CurlPtr<CURL> curl(curl_easy_init());
    if (!curl) return {"la posta elettronica non è disponibile", "curl_easy_init"};
    CURL* c = curl.get();

    const std::string scheme = settings.security == Security::Tls ? "smtps://" : "smtp://";
    const std::string url = scheme + settings.server + ":" + std::to_string(settings.port);
    const std::string from = "<" + settings.sender + ">";
    const std::string fileName = pdf.filename().string();
    CurlPtr<curl_slist> recipients;
    CurlPtr<curl_slist> headers;
    const std::string messageId = "<" +
                                  QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString() +
                                  "@" + Domain(settings.sender) + ">";
    const std::string date = QDateTime::currentDateTime().toString(Qt::RFC2822Date).toStdString();
    if (!Append(recipients, "<" + recipient + ">") || !Append(headers, "Date: " + date) ||
        !Append(headers, "Message-ID: " + messageId) ||
        !Append(headers, "From: " + settings.sender) || !Append(headers, "To: " + recipient) ||
        !Append(headers, "Subject: " + HeaderText(FillTemplate(settings.subject, fileName)))) {
        return {"memoria insufficiente", "curl_slist_append"};
    }

    const CurlPtr<curl_mime> mime(curl_mime_init(c));
    curl_mimepart* text = curl_mime_addpart(mime.get());
    const std::string body = FillTemplate(settings.body, fileName) + "\r\n";
    curl_mime_data(text, body.c_str(), CURL_ZERO_TERMINATED);
    curl_mime_type(text, "text/plain; charset=UTF-8");
    curl_mime_encoder(text, "quoted-printable");
    curl_mimepart* attachment = curl_mime_addpart(mime.get());
    if (curl_mime_filedata(attachment, pdf.c_str()) != CURLE_OK) {
        return {"il PDF non si può leggere", pdf.string()};
    }
    curl_mime_filename(attachment, fileName.c_str());
    curl_mime_type(attachment, "application/pdf");
    curl_mime_encoder(attachment, "base64");

    char error[CURL_ERROR_SIZE] = "";
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(
        c, CURLOPT_USE_SSL,
        settings.security == Security::None ? long(CURLUSESSL_NONE) : long(CURLUSESSL_ALL));
    if (!settings.user.empty()) {
        curl_easy_setopt(c, CURLOPT_USERNAME, settings.user.c_str());
        curl_easy_setopt(c, CURLOPT_PASSWORD, settings.password.c_str());
    }
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, from.c_str());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, recipients.get());
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(c, CURLOPT_MIMEPOST, mime.get());
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 20L);
    curl_easy_setopt(c, CURLOPT_TIMEOUT, 120L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);

    const CURLcode result = curl_easy_perform(c);
    if (result == CURLE_OK) return {};
    const std::string said = error[0] ? error : curl_easy_strerror(result);
    return {MailReason(result, said), "invio a " + settings.server + ":" +
                                          std::to_string(settings.port) + " non riuscito: " + said};
}

}  // namespace qorvana::qorxpdf

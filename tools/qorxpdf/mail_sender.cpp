#include "tools/qorxpdf/mail_sender.h"

#include <curl/curl.h>

#include <QByteArray>
#include <QDateTime>
#include <QUuid>
#include <memory>

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

}  // namespace

std::string SendPdf(const MailSettings& settings, const std::string& recipient,
                    const std::filesystem::path& pdf) {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    if (!initialised) return "libcurl non inizializzata";
    const CurlPtr<CURL> curl(curl_easy_init());
    if (!curl) return "libcurl non inizializzata";
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
        return "memoria insufficiente";
    }

    const CurlPtr<curl_mime> mime(curl_mime_init(c));
    curl_mimepart* text = curl_mime_addpart(mime.get());
    const std::string body = FillTemplate(settings.body, fileName) + "\r\n";
    curl_mime_data(text, body.c_str(), CURL_ZERO_TERMINATED);
    curl_mime_type(text, "text/plain; charset=UTF-8");
    curl_mime_encoder(text, "quoted-printable");
    curl_mimepart* attachment = curl_mime_addpart(mime.get());
    if (curl_mime_filedata(attachment, pdf.c_str()) != CURLE_OK) {
        return "non è possibile leggere " + pdf.string();
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
    return "invio a " + settings.server + ":" + std::to_string(settings.port) +
           " non riuscito: " + (error[0] ? error : curl_easy_strerror(result));
}

}  // namespace qorvana::qorxpdf

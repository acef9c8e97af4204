#include "fatturapa/mail_transport.h"

#include <curl/curl.h>
#include <openssl/evp.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <ctime>
#include <locale>
#include <memory>
#include <random>
#include <sstream>
#include <string_view>

#include "core/cp1252.h"
#include "core/text.h"

namespace qorvana {
namespace {

struct CurlFree {
    void operator()(CURL* p) const { curl_easy_cleanup(p); }
    void operator()(curl_slist* p) const { curl_slist_free_all(p); }
    void operator()(curl_mime* p) const { curl_mime_free(p); }
};
template <typename T>
using CurlPtr = std::unique_ptr<T, CurlFree>;

bool Append(CurlPtr<curl_slist>& list, const std::string& line) {
    curl_slist* grown = curl_slist_append(list.get(), line.c_str());
    if (!grown) return false;
    (void)list.release();
    list.reset(grown);
    return true;
}

// The server part of a URL, for messages: scheme, host and port, never more.
std::string ServerOf(const std::string& url) {
    const std::size_t start = url.find("://");
    const std::size_t from = start == std::string::npos ? 0 : start + 3;
    return url.substr(0, url.find('/', from));
}

// RFC 5322 date of now, in English whatever the locale.
std::string MailDate() {
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const long offset = local.tm_gmtoff / 60;
    char text[64];
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d %c%02ld%02ld",
                  kDays[local.tm_wday], local.tm_mday, kMonths[local.tm_mon], local.tm_year + 1900,
                  local.tm_hour, local.tm_min, local.tm_sec, offset < 0 ? '-' : '+',
                  std::labs(offset) / 60, std::labs(offset) % 60);
    return text;
}

std::string NewMessageId(const std::string& from) {
    std::random_device random;
    std::ostringstream id;
    id.imbue(std::locale::classic());
    id << '<' << std::hex << std::chrono::system_clock::now().time_since_epoch().count() << '.'
       << random() << random() << '@' << from.substr(from.rfind('@') + 1) << '>';
    return id.str();
}

// A header value in UTF-8: as it is when plain ASCII, else an RFC 2047 encoded word.
std::string HeaderText(const std::string& utf8) {
    if (IsAscii(utf8)) return utf8;
    std::string base64(4 * ((utf8.size() + 2) / 3) + 1, '\0');
    const int length = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(base64.data()),
                                       reinterpret_cast<const unsigned char*>(utf8.data()),
                                       static_cast<int>(utf8.size()));
    base64.resize(static_cast<std::size_t>(length));
    return "=?UTF-8?B?" + base64 + "?=";
}

// The kind of a failed transfer, by libcurl's result and its error text ("RCPT failed: 553").
MailFailure FailureOf(CURLcode result, std::string_view text) {
    switch (result) {
        case CURLE_OK:
            return MailFailure::None;
        case CURLE_COULDNT_RESOLVE_HOST:
            return MailFailure::HostNotFound;
        case CURLE_COULDNT_CONNECT:
            return MailFailure::NoAnswer;
        case CURLE_OPERATION_TIMEDOUT:
            return MailFailure::TimedOut;
        case CURLE_LOGIN_DENIED:
            return MailFailure::LoginDenied;
        case CURLE_USE_SSL_FAILED:
            return MailFailure::NoTls;
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_CERTPROBLEM:
            return MailFailure::TlsFailed;
        case CURLE_WEIRD_SERVER_REPLY:
            return MailFailure::OddReply;
        case CURLE_SEND_ERROR:
        case CURLE_RECV_ERROR:
        case CURLE_GOT_NOTHING:
            if (text.starts_with("RCPT")) return MailFailure::RecipientRefused;
            if (text.starts_with("MAIL")) return MailFailure::SenderRefused;
            return MailFailure::ConnectionLost;
        default:
            return MailFailure::Refused;
    }
}

MailSent NotSent(std::string problem, MailFailure failure) {
    MailSent sent;
    sent.problem = std::move(problem);
    sent.failure = failure;
    return sent;
}

// What the operator is told of a failed transfer: what failed and what to check. libcurl's own
// text is for the log alone.
std::string TransferReason(MailFailure failure, const std::string& server) {
    switch (failure) {
        case MailFailure::HostNotFound:
            return "il server " + server +
                   " non è stato trovato: controllare l'indirizzo del server nelle "
                   "impostazioni e la connessione";
        case MailFailure::NoAnswer:
            return "il server " + server + " non risponde: controllare indirizzo e porta";
        case MailFailure::TimedOut:
            return "il server " + server + " non ha risposto in tempo: riprovare più tardi";
        case MailFailure::LoginDenied:
            return "il server " + server +
                   " ha rifiutato utente o password: controllarli nelle impostazioni";
        case MailFailure::NoTls:
            return "il server " + server + " non offre una connessione protetta (TLS)";
        case MailFailure::TlsFailed:
            return "la connessione protetta con " + server +
                   " non è riuscita: il certificato del server non è riconosciuto (controllare "
                   "l'indirizzo del server, o indicare nelle impostazioni l'autorità che lo "
                   "ha emesso)";
        case MailFailure::OddReply:
            return "il server " + server +
                   " ha risposto in modo inatteso: controllare indirizzo, porta e protezione";
        case MailFailure::SenderRefused:
            return "il server " + server +
                   " ha rifiutato il mittente: controllare l'indirizzo pec nelle impostazioni";
        case MailFailure::RecipientRefused:
            return "il server " + server + " ha rifiutato il destinatario";
        case MailFailure::ConnectionLost:
            return "la connessione con " + server + " si è interrotta: riprovare più tardi";
        default:
            return "il server " + server +
                   " non ha accettato la richiesta: riprovare più tardi e, se si ripete, "
                   "avvisare l'assistenza";
    }
}

// libcurl's text of a failure: its error buffer, else the result's name.
std::string SystemText(CURLcode result, const char* error) {
    return error[0] ? error : curl_easy_strerror(result);
}

// A libcurl handle with the account's server, login and TLS rules set.
CurlPtr<CURL> Connection(const MailAccount& account, const std::string& url, char* errorBuffer) {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    if (!initialised) return nullptr;
    CurlPtr<CURL> curl(curl_easy_init());
    if (!curl) return nullptr;
    CURL* c = curl.get();
    errorBuffer[0] = '\0';
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_USE_SSL,
                     account.tls == MailTls::Plain ? long(CURLUSESSL_NONE) : long(CURLUSESSL_ALL));
    if (!account.caFile.empty()) curl_easy_setopt(c, CURLOPT_CAINFO, account.caFile.c_str());
    if (!account.user.empty()) {
        curl_easy_setopt(c, CURLOPT_USERNAME, account.user.c_str());
        curl_easy_setopt(c, CURLOPT_PASSWORD, account.password.c_str());
    }
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 20L);
    curl_easy_setopt(c, CURLOPT_TIMEOUT, 120L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    return curl;
}

size_t Collect(char* data, size_t size, size_t count, void* target) {
    static_cast<std::string*>(target)->append(data, size * count);
    return size * count;
}

// Collects a fetched message up to kMaxMessageBytes; beyond, the transfer stops.
size_t CollectMessage(char* data, size_t size, size_t count, void* target) {
    auto* fetched = static_cast<FetchedMessage*>(target);
    if (fetched->bytes.size() + size * count > kMaxMessageBytes) {
        fetched->tooLarge = true;
        return 0;
    }
    fetched->bytes.append(data, size * count);
    return size * count;
}

// The number in "* OK [UIDVALIDITY 3857529045] UIDs valid", the server's answer to the
// mailbox's SELECT; 0 when there is none.
long long UidValidityIn(const std::string& answer) {
    const std::string lower = LowerAscii(answer);
    const std::size_t at = lower.find("[uidvalidity ");
    if (at == std::string::npos) return 0;
    long long validity = 0;
    const std::string_view digits = std::string_view(answer).substr(at + 13);
    std::from_chars(digits.data(), digits.data() + digits.size(), validity);
    return validity > 0 && validity <= kLastMessageUid ? validity : 0;
}

// The mailbox URL: ".../INBOX" without a trailing "/", INBOX when none is named.
std::string MailboxUrl(const std::string& url) {
    std::string mailbox = url;
    while (mailbox.ends_with("/")) mailbox.pop_back();
    const std::size_t start = mailbox.find("://");
    if (mailbox.find('/', start == std::string::npos ? 0 : start + 3) == std::string::npos)
        mailbox += "/INBOX";
    return mailbox;
}

}  // namespace

std::string MailUrlProblem(const std::string& url, const std::string& scheme) {
    const std::string lower = LowerAscii(url);
    if (!lower.starts_with(scheme + "s://") && !lower.starts_with(scheme + "://"))
        return "l'indirizzo del server \"" + url + "\" deve cominciare con " + scheme + "s:// o " +
               scheme + "://";
    const std::size_t host = url.find("://") + 3;
    const std::string authority = url.substr(host, url.find('/', host) - host);
    if (authority.find('@') != std::string::npos)
        return "l'indirizzo del server non deve contenere utente o password: indicarli a parte";
    if (authority.empty()) return "manca il nome del server in \"" + url + "\"";
    return {};
}

bool IsMailAddress(const std::string& address) {
    if (std::count(address.begin(), address.end(), '@') != 1 || address.front() == '@' ||
        address.back() == '@')
        return false;
    return std::none_of(address.begin(), address.end(), [](unsigned char c) {
        return c <= ' ' || c == 127 || c == ',' || c == ';' || c == '<' || c == '>' || c == '"';
    });
}

// libcurl's transfer news: the bytes sent of the message.
int SentSoFar(void* progress, curl_off_t, curl_off_t, curl_off_t total, curl_off_t sent) {
    (*static_cast<const ProgressReport*>(progress))(sent, total);
    return 0;
}

MailSent SendMail(const MailAccount& account, const OutgoingMail& mail,
                  const ProgressReport& progress) {
    MailSent sent;
    if (const std::string bad = MailUrlProblem(account.url, "smtp"); !bad.empty())
        return NotSent(bad, MailFailure::BadUrl);
    if (!IsMailAddress(mail.from))
        return NotSent("indirizzo di posta non valido: " + mail.from, MailFailure::BadSender);
    if (!IsMailAddress(mail.to))
        return NotSent("indirizzo di posta non valido: " + mail.to, MailFailure::BadRecipient);
    char error[CURL_ERROR_SIZE];
    const CurlPtr<CURL> curl = Connection(account, account.url, error);
    if (!curl)
        return NotSent("la posta elettronica non è disponibile (libcurl)",
                       MailFailure::Unavailable);
    CURL* c = curl.get();
    sent.date = MailDate();
    sent.messageId = NewMessageId(mail.from);
    CurlPtr<curl_slist> recipients;
    CurlPtr<curl_slist> headers;
    if (!Append(recipients, "<" + mail.to + ">") || !Append(headers, "Date: " + sent.date) ||
        !Append(headers, "Message-ID: " + sent.messageId) ||
        !Append(headers, "From: <" + mail.from + ">") ||
        !Append(headers, "To: <" + mail.to + ">") ||
        !Append(headers, "Subject: " + HeaderText(mail.subject)))
        return NotSent("memoria insufficiente", MailFailure::OutOfMemory);

    const CurlPtr<curl_mime> mime(curl_mime_init(c));
    curl_mimepart* text = curl_mime_addpart(mime.get());
    curl_mime_data(text, mail.body.data(), mail.body.size());
    curl_mime_type(text, "text/plain; charset=UTF-8");
    curl_mime_encoder(text, "quoted-printable");
    curl_mimepart* file = curl_mime_addpart(mime.get());
    curl_mime_data(file, mail.attachment.data(), mail.attachment.size());
    curl_mime_filename(file, mail.attachmentName.c_str());
    curl_mime_type(file, mail.attachmentType.c_str());
    curl_mime_encoder(file, "base64");

    const std::string from = "<" + mail.from + ">";
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, from.c_str());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, recipients.get());
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(c, CURLOPT_MIMEPOST, mime.get());
    if (progress) {
        curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, SentSoFar);
        curl_easy_setopt(c, CURLOPT_XFERINFODATA, &progress);
        curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    }
    const CURLcode result = curl_easy_perform(c);
    if (result == CURLE_OK) return sent;
    sent.failure = FailureOf(result, error);
    sent.systemText = SystemText(result, error);
    sent.problem = TransferReason(sent.failure, ServerOf(account.url));
    return sent;
}

MailboxUids MessagesAfter(const MailAccount& account, long long afterUid) {
    MailboxUids found;
    if (const std::string bad = MailUrlProblem(account.url, "imap"); !bad.empty())
        return {{}, 0, bad, {}};
    char error[CURL_ERROR_SIZE];
    const CurlPtr<CURL> curl = Connection(account, MailboxUrl(account.url), error);
    if (!curl) return {{}, 0, "la posta elettronica non è disponibile (libcurl)", {}};
    const std::string request = "UID SEARCH UID " + std::to_string(afterUid + 1) + ":*";
    std::string answer;
    std::string selected;  // the server's response lines, the SELECT's among them
    curl_easy_setopt(curl.get(), CURLOPT_CUSTOMREQUEST, request.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &answer);
    curl_easy_setopt(curl.get(), CURLOPT_HEADERFUNCTION, Collect);
    curl_easy_setopt(curl.get(), CURLOPT_HEADERDATA, &selected);
    const CURLcode result = curl_easy_perform(curl.get());
    if (result != CURLE_OK)
        return {{},
                0,
                TransferReason(FailureOf(result, error), ServerOf(account.url)),
                SystemText(result, error)};
    // "* SEARCH 4 5 9": "n:*" always names the last message, so older ones are dropped here.
    std::istringstream lines(answer);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        words.imbue(std::locale::classic());
        std::string star, search;
        if (!(words >> star >> search) || star != "*" || LowerAscii(search) != "search") continue;
        for (long long uid; words >> uid;)
            if (uid > afterUid && uid <= kLastMessageUid) found.uids.push_back(uid);
    }
    std::sort(found.uids.begin(), found.uids.end());
    found.uidValidity = UidValidityIn(selected);
    return found;
}

FetchedMessage FetchMessage(const MailAccount& account, long long uid) {
    char error[CURL_ERROR_SIZE];
    const std::string url = MailboxUrl(account.url) + ";UID=" + std::to_string(uid);
    const CurlPtr<CURL> curl = Connection(account, url, error);
    if (!curl) return {{}, "la posta elettronica non è disponibile (libcurl)", {}, false};
    FetchedMessage fetched;
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, CollectMessage);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &fetched);
    const CURLcode result = curl_easy_perform(curl.get());
    if (fetched.tooLarge) {
        fetched.bytes.clear();
        fetched.problem =
            "il messaggio supera i 64 MiB: troppo grande per contenere notifiche "
            "del Sistema di Interscambio, non è stato letto (resta nella casella)";
    } else if (result != CURLE_OK) {
        fetched.bytes.clear();
        fetched.problem = TransferReason(FailureOf(result, error), ServerOf(account.url));
        fetched.systemText = SystemText(result, error);
    }
    return fetched;
}

}  // namespace qorvana

#pragma once
// Mail over libcurl: a message with one attached file sent by SMTP (the certified mail to the
// exchange system, a PDF to a customer), messages read from a mailbox by IMAP. Over TLS unless
// an account says otherwise: smtps:// and imaps:// connect with it, smtp:// and imap:// must
// upgrade with STARTTLS or nothing is sent. Credentials travel only to the server: never in a
// message, a log or a URL shown.

#include <cstddef>
#include <string>
#include <vector>

#include "core/progress.h"

namespace qorvana {

// Plain: a smtp:// server is spoken to without TLS (a local relay that offers none).
enum class MailTls { Required, Plain };

struct MailAccount {
    std::string url;   // smtps://host:465, imaps://host:993/INBOX ...
    std::string user;  // empty: no login
    std::string password;
    std::string caFile;  // a certificate authority to trust besides the system's (host path)
    MailTls tls = MailTls::Required;
};

struct OutgoingMail {
    std::string from;
    std::string to;
    std::string subject;
    std::string body;            // plain text, UTF-8
    std::string attachmentName;  // the file's own name
    std::string attachment;      // its bytes
    std::string attachmentType;  // "application/xml" ...
};

// Why a transfer failed, for a caller that tells its operator in its own words.
enum class MailFailure {
    None,
    Unavailable,  // libcurl could not start
    OutOfMemory,
    BadUrl,
    BadSender,     // the address is not one (refused before connecting)
    BadRecipient,  // the address is not one (refused before connecting)
    HostNotFound,
    NoAnswer,
    TimedOut,
    LoginDenied,
    NoTls,  // the server offers no TLS
    TlsFailed,
    OddReply,
    SenderRefused,     // MAIL FROM refused
    RecipientRefused,  // RCPT TO refused
    ConnectionLost,
    Refused,
};

struct MailSent {
    std::string problem;  // Italian, with what to check; empty when the server took it
    MailFailure failure = MailFailure::None;
    std::string systemText;  // libcurl's own text of a failure ("RCPT failed: 553"), for a log
    std::string messageId;   // "<...@domain>"
    std::string date;        // the Date header
};

// Why the URL cannot be used for `scheme` ("smtp" or "imap"); empty when it can. A URL that
// carries a user or password is refused: they belong in their own settings.
std::string MailUrlProblem(const std::string& url, const std::string& scheme);
// True for an address with one "@", no blanks, controls, commas, semicolons or angle brackets.
bool IsMailAddress(const std::string& address);

// Sends the message; `progress` hears of the bytes sent.
MailSent SendMail(const MailAccount& account, const OutgoingMail& mail,
                  const ProgressReport& progress = {});

// A message's UID in a mailbox is a 32-bit number above 0 (IMAP); 0 stands for none.
inline constexpr long long kLastMessageUid = 4294967295LL;

struct MailboxUids {
    std::vector<long long> uids;  // ascending
    long long uidValidity = 0;    // the mailbox's UIDVALIDITY; 0 when the server gave none
    std::string problem;          // Italian, with what to check
    std::string systemText;       // libcurl's own text of a failure, for a log
};
// The UIDs of the mailbox's messages above `afterUid` (0 to kLastMessageUid), and the
// mailbox's UIDVALIDITY they belong to; an answer's number that is no UID is left out.
MailboxUids MessagesAfter(const MailAccount& account, long long afterUid);

// The largest message read from a mailbox: far above any the exchange system sends.
inline constexpr std::size_t kMaxMessageBytes = std::size_t{64} << 20;

struct FetchedMessage {
    std::string bytes;
    std::string problem;     // Italian, with what to check
    std::string systemText;  // libcurl's own text of a failure, for a log
    bool tooLarge = false;   // beyond kMaxMessageBytes: not read
};
FetchedMessage FetchMessage(const MailAccount& account, long long uid);

}  // namespace qorvana

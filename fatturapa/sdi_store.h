#pragma once
// The company's e-invoices and what became of them: the state store qorvana.sdi in the company
// folder (format in docs/einvoice-sending.md). Each e-invoice is known by its file name; the
// store keeps when and to whom it was sent and every notification the exchange system sent
// back, from which its state follows. Read and rewritten whole, under the company's posting
// lock, since several workstations may share the company.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fatturapa/sdi_einvoice.h"
#include "fatturapa/sdi_notification.h"

namespace qorvana {

inline constexpr const char* kSdiStoreFile = "qorvana.sdi";

enum class EInvoiceState {
    Written,       // the file is written, not sent
    Sent,          // sent, no answer yet
    Delivered,     // RC
    NotDelivered,  // MC
    Rejected,      // NS
    Accepted,      // NE EC01
    Refused,       // NE EC02
    TermsExpired,  // DT
    Attested,      // AT
};
inline constexpr EInvoiceState kAllStates[] = {
    EInvoiceState::Written,      EInvoiceState::Sent,         EInvoiceState::Delivered,
    EInvoiceState::NotDelivered, EInvoiceState::Rejected,     EInvoiceState::Accepted,
    EInvoiceState::Refused,      EInvoiceState::TermsExpired, EInvoiceState::Attested};

struct SendingRecord {
    std::string time;      // "2026-12-06 10:00:00", local time of the workstation
    std::string fileSent;  // the name it travelled under (".xml" or ".xml.p7m")
    std::string from;
    std::string to;
    std::string messageId;
    std::string digest;  // SHA-256 of the XML as sent, hexadecimal
};

struct NotificationRecord {
    NotificationKind kind = NotificationKind::RC;
    std::string recordedAt;        // when it was recorded here
    std::string notificationFile;  // the notification's own file name
    std::string sdiId;
    std::string moment;
    std::string outcome;
    std::string description;
    std::vector<SdiError> errors;
};

struct EInvoiceEntry {
    std::string fileName;  // IT01234567890_0000H.xml: the key
    std::string path;      // the file as the suite names it (C:\fatture\IT01234567890_0000H.xml)
    std::string number;
    std::string date;  // yyyy-mm-dd
    std::string customer;
    std::string customerId;
    std::string format;
    std::string progressive;
    std::string replaces;    // the rejected e-invoice this one corrects
    std::string replacedBy;  // the corrected e-invoice sent in its place
    std::vector<SendingRecord> sendings;
    std::vector<NotificationRecord> notifications;
};

// How far a mailbox was read: the highest message UID read (0 before any) and the mailbox's
// UIDVALIDITY those UIDs belong to (0 when not known, as in stores kept before it was).
struct MailboxMark {
    long long lastUid = 0;
    long long uidValidity = 0;
};

struct SdiStore {
    std::vector<EInvoiceEntry> entries;
    std::string assignedAddress;  // the system's address for this sender, from its answers
    std::map<std::string, MailboxMark> mailboxMarks;  // by mailbox

    // The entry of an invoice file (".p7m" and case aside); nullptr when unknown.
    EInvoiceEntry* find(std::string_view fileName);
    const EInvoiceEntry* find(std::string_view fileName) const;
    // The entry of that file, added with these facts when it is not there yet.
    EInvoiceEntry& add(const std::string& fileName, const std::string& path,
                       const EInvoiceFacts& facts);
};

// True when two names are the same invoice file: case and a ".p7m" ending aside.
bool SameInvoiceFile(std::string_view a, std::string_view b);

EInvoiceState StateOf(const EInvoiceEntry& entry);
// "da inviare", "inviata", "consegnata", "scartata" ...
std::string StateText(EInvoiceState state);
// The state a notification brings an e-invoice to, in words ("consegnata", "scartata" ...).
std::string NotificationStateText(const NotificationRecord& notification);
// The state as listed: a rejected e-invoice sent again says with which file.
std::string StateLine(const EInvoiceEntry& entry);
// The notification that decided the state; nullptr before any.
const NotificationRecord* DecidingNotification(const EInvoiceEntry& entry);
// What a notification says beyond its kind: NS's errors ("00305 CodiceDestinatario non
// valido; 00311 ..."), NE's outcome and reason, MC's and DT's description.
std::string NotificationDetails(NotificationKind kind, const std::string& outcome,
                                const std::string& description,
                                const std::vector<SdiError>& errors);

enum class Recorded { New, Again, UnknownFile };
// Records the notification against the e-invoice it names. Again: the same notification was
// recorded before (nothing changes); UnknownFile: no e-invoice of this company has that name.
Recorded RecordNotification(SdiStore& store, const SdiNotification& notification,
                            const std::string& notificationFile, const std::string& now);

// The store's text (Windows-1252, tab-separated lines) and back.
std::string FormatSdiStore(const SdiStore& store);
std::optional<SdiStore> ParseSdiStore(std::string_view bytes, std::string& problem);

// The store of a company folder (empty when it has none yet). The caller holds the company's
// posting lock when it means to save it again.
std::optional<SdiStore> LoadSdiStore(const std::filesystem::path& companyFolder,
                                     std::string& problem);
// Writes it durably; the Italian reason of a failure, empty on success.
std::string SaveSdiStore(const std::filesystem::path& companyFolder, const SdiStore& store);

// One line of `status`: file, number and date, customer, state, last notification, errors
// (tab-separated).
std::string StatusLine(const EInvoiceEntry& entry);

}  // namespace qorvana

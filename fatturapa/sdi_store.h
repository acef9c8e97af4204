#pragma once
// The company's e-invoices and what became of them: the state store qorvana.sdi in the company
// folder (format in docs/einvoice-sending.md). Each e-invoice is known by its file name; the
// store keeps every sending of it (a transmission) and the notifications the exchange system
// sent back about each, the notifications that match no recorded sending yet, and the messages
// the program could not use. Read and rewritten whole, under the company's posting lock,
// since several workstations may share the company.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"
#include "fatturapa/sdi_einvoice.h"
#include "fatturapa/sdi_notification.h"

namespace qorvana {

inline constexpr const char* kSdiStoreFile = "qorvana.sdi";

// One transmission of an e-invoice: a sending, and the system's number for it once a
// notification named it.
struct SendingRecord {
    std::string time;      // "2026-12-06 10:00:00", local time of the workstation
    std::string fileSent;  // the name it travelled under (".xml" or ".xml.p7m")
    std::string from;
    std::string to;
    std::string messageId;
    std::string digest;      // SHA-256 of the XML as sent, hexadecimal
    std::string sentDigest;  // SHA-256 of the file as sent (the .p7m when signed); empty in
                             // stores kept before it was recorded
    std::string sdiId;       // IdentificativoSdI of this transmission; empty before an answer
};

struct NotificationRecord : SdiNotification {
    std::string recordedAt;        // when it was recorded here
    std::string notificationFile;  // the notification's own file name
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
    // Each tied to the sending of its IdentificativoSdI.
    std::vector<NotificationRecord> notifications;
};

// A certified-mail message whose notifications the program could not use: kept in the company's
// folder kKeptFolder and read again at every reading of the notifications.
struct KeptMessage {
    std::string file;    // its name in kKeptFolder
    std::string origin;  // where it came from ("imaps://pec.it/INBOX, messaggio 42")
    std::string keptAt;  // when it was kept
    std::string reason;  // why it could not be used, in Italian
};
inline constexpr const char* kKeptFolder = "notifiche_sospese";

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
    // Notifications of a file with no recorded sending they fit: they change no state until
    // a sending of that file is recorded.
    std::vector<NotificationRecord> unmatched;
    std::vector<KeptMessage> kept;

    // The entry of an invoice file (".p7m" and case aside); nullptr when unknown.
    EInvoiceEntry* find(std::string_view fileName);
    const EInvoiceEntry* find(std::string_view fileName) const;
    // The entry of that file, added with these facts when it is not there yet.
    EInvoiceEntry& add(const std::string& fileName, const std::string& path,
                       const EInvoiceFacts& facts);
};

// True when two names are the same invoice file: case and a ".p7m" ending aside.
bool SameInvoiceFile(std::string_view a, std::string_view b);

// The store's text (Windows-1252, tab-separated lines) and back. A store kept before
// transmissions were told apart (version 1) has its notifications tied to its sendings as
// they are read.
std::string FormatSdiStore(const SdiStore& store);
// A store that does not read so fails, naming the line and why.
Result<SdiStore> ParseSdiStore(std::string_view bytes);

// The store of a company folder (empty when it has none yet); one that cannot be read or is
// damaged fails, naming the file. The caller holds the company's posting lock when it means
// to save it again.
Result<SdiStore> LoadSdiStore(const std::filesystem::path& companyFolder);
// Writes it durably; a failure says why in Italian.
Status SaveSdiStore(const std::filesystem::path& companyFolder, const SdiStore& store);

}  // namespace qorvana

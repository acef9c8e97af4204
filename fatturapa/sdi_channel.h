#pragma once
// The exchange-system channel by certified mail: signing and sending an e-invoice, gathering
// the system's notifications from files, saved messages or the mailbox, recording them, and
// sending a rejected e-invoice again, corrected, under a new progressive. Shared by the
// qorvana-sdi tool and the program's e-invoice window.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/civil_date.h"
#include "core/result.h"
#include "fatturapa/mail_transport.h"
#include "fatturapa/sdi_notification.h"
#include "fatturapa/sdi_settings.h"
#include "fatturapa/sdi_state.h"
#include "fatturapa/sdi_store.h"

namespace qorvana {

struct Session;

// "2026-12-06 10:00:00"
std::string StoreTime(const CivilDateTime& moment);
// SHA-256 of the bytes, hexadecimal.
std::string Sha256Hex(std::string_view bytes);

// Signs `xmlFile` into the same name + ".p7m" beside it: the signed file, or the Italian reason
// of a failure.
Result<std::filesystem::path> SignFile(const std::filesystem::path& xmlFile,
                                       const std::filesystem::path& p12,
                                       const std::string& password);

// The certified-mail message that carries one file to the exchange system.
OutgoingMail MailForSystem(const std::string& from, const std::string& to,
                           const std::string& fileName, std::string bytes);

// Sends one file, as it is, to `to`: the record of the sending (its time `now`), or the Italian
// reason of a failure (the server's own text goes to the log). `xml` is the e-invoice's XML,
// for the record's digest. `progress` hears of the bytes sent.
Result<SendingRecord> SendFile(const MailAccount& account, const std::string& from,
                               const std::string& to, const std::filesystem::path& file,
                               std::string_view xml, const std::string& now,
                               const ProgressReport& progress = {});
// Sends an e-invoice with the company's settings: signed first when it is for a public
// administration or the settings sign every file.
Result<SendingRecord> SendEInvoice(const SdiSettings& settings, const std::string& to,
                                   const std::filesystem::path& xmlFile, const std::string& now,
                                   const ProgressReport& progress = {});

// A file that may hold a notification, with where it came from.
struct NotificationSource {
    std::string fileName;  // the notification's own file name
    std::string bytes;     // its XML (a .p7m already opened)
    std::string origin;    // the file or message it was found in, for messages
    std::string sender;    // the sender of the message that carried it, when it came by mail
    int message = -1;      // the Gathered::messages entry that carried it; -1 for none
};
// A certified-mail message from the mailbox, or one kept before because the program could not
// use it: kept (again) when any of its notifications cannot be used.
struct GatheredMessage {
    std::string name;    // its file name in kKeptFolder
    std::string origin;  // "imaps://pec.it/INBOX, messaggio 42"
    std::string bytes;
    long long uid = 0;    // in the mailbox; 0 for a message kept before
    bool kept = false;    // read from kKeptFolder
    std::string problem;  // what of it could not be read, in Italian
};
struct Gathered {
    std::vector<NotificationSource> sources;
    std::vector<GatheredMessage> messages;
    std::vector<std::string> problems;  // files that could not be read
    bool keptRead = false;              // kKeptFolder was read whole
};
// Notification files (.xml, .xml.p7m) and saved messages (.eml) given one by one or found in
// folders (in a folder, only files named as notifications and .eml messages).
Gathered GatherNotifications(const std::vector<std::filesystem::path>& inputs);
// The notifications carried by one mail message; `message` is its Gathered::messages entry
// (-1 for a saved message the operator gave), whose problem an unreadable one becomes.
void GatherFromMessage(std::string_view message, const std::string& origin, Gathered& into,
                       int messageIndex = -1);
// The messages kept in the company's kKeptFolder, to be read again.
void GatherKept(const std::filesystem::path& companyFolder, const SdiStore& store, Gathered& into);

struct NotificationOutcome {
    std::string line;      // the one output line
    bool refused = false;  // not recorded: it could not be used
    std::string original;  // what the XML library said of a refused one, for the log
};
// Reads every source against its schema and records it in the store: one line each, "FILE
// <tab> KIND <tab> STATE <tab> ERRORS" (a note follows for a notification recorded before, one
// that matches no sending, one read without a schema); one that cannot be used is refused and
// nothing is recorded from it. The system's address for this sender is taken from the
// messages that carried them.
std::vector<NotificationOutcome> ApplyNotifications(SdiStore& store,
                                                    const std::vector<NotificationSource>& sources,
                                                    const NotificationSchemas& schemas,
                                                    const std::string& now);
// ApplyNotifications, then each message of `gathered` that carried something the program could
// not use is kept in the company's kKeptFolder and listed in the store, and each kept one now
// used is removed. When a mailbox message cannot be kept, `reached` (the mailbox read) is
// pulled back before it, so that the next reading reads it again. One outcome per source,
// then one per message kept or used again; the libraries' texts go to the log.
std::vector<NotificationOutcome> RecordGathered(SdiStore& store, const Gathered& gathered,
                                                const NotificationSchemas& schemas,
                                                const std::filesystem::path& companyFolder,
                                                const std::string& now, MailboxMark* reached);

// Reads the mailbox's messages above the store's mark for it, gathering their notifications
// and the messages themselves; `reached` becomes the highest message read in full, with the
// mailbox's UIDVALIDITY. Problems of single messages go to `into.problems`; a failure is the
// problem that stopped the reading.
Status GatherFromMailbox(const MailAccount& imap, const MailboxMark& from, Gathered& into,
                         MailboxMark& reached);
// The UID to read the mailbox after: the mark's, unless the server's UIDVALIDITY is no longer
// the one of the mark (the server numbered its messages anew): then the whole mailbox.
long long ReadAfterUid(const MailboxMark& mark, long long uidValidity);
// The store's key of a mailbox: its URL (it never holds credentials).
std::string MailboxKey(const MailAccount& imap);

// Lists a written e-invoice in the store, read from its file (`path` as the suite names it).
// Fails, with the Italian reason, when the file is not an e-invoice.
Status ListEInvoice(SdiStore& store, const std::filesystem::path& file, const std::string& path);
// The store of `companyFolder` as it is with that e-invoice listed, as the bytes of its file
// (kSdiStoreFile), to be written with the document; the Italian reason when it cannot be.
Result<std::string> StoreWithEInvoice(const std::filesystem::path& companyFolder,
                                      const std::filesystem::path& file, const std::string& path);

// A rejected e-invoice made ready to go again: its file, corrected by the operator, written
// under the next transmission progressive (counter record 5 of qorvana.tot) and listed in the
// store in place of the rejected one; the file, the counter and the store are written through
// one WriteSet under an intent (core/intent_log.h). The caller holds the company's posting lock.
struct Resent {
    std::string fileName;  // the new file's name
    std::filesystem::path file;
};
Result<Resent> PrepareResend(SdiStore& store, const std::string& rejectedFile, Session& session);
// True when the rejected e-invoice's file is still the one that was sent: nothing corrected.
bool UnchangedSinceSent(const EInvoiceEntry& entry, const std::filesystem::path& file);

}  // namespace qorvana

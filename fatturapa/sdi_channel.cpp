#include "fatturapa/sdi_channel.h"

#include <openssl/evp.h>

#include <algorithm>
#include <cstdio>

#include "core/counters_record.h"
#include "core/intent_log.h"
#include "core/paths.h"
#include "core/session.h"
#include "core/system_error.h"
#include "core/text.h"
#include "core/whole_file.h"
#include "core/write_set.h"
#include "fatturapa/fpa_checks.h"
#include "fatturapa/fpa_writer_v12.h"
#include "fatturapa/mime_reader.h"
#include "fatturapa/sdi_einvoice.h"
#include "fatturapa/sdi_files.h"
#include "fatturapa/sdi_signature.h"

namespace qorvana {
namespace {

// Adds one file found on disk: a notification as it is, a signed one opened, a message's.
void GatherFile(const std::filesystem::path& file, Gathered& into) {
    const Result<std::string> bytes = ReadFileBytes(file);
    if (!bytes) {
        into.problems.push_back(file.string() + ": " + bytes.message());
        return;
    }
    const std::string name = file.filename().string();
    if (LowerAscii(name).ends_with(".eml")) {
        GatherFromMessage(*bytes, file.string(), into);
    } else if (IsSignedFileName(name)) {
        const std::optional<std::string> content = SignedContent(*bytes);
        if (!content)
            into.problems.push_back(file.string() + ": non è un file firmato leggibile");
        else
            into.sources.push_back({name, *content, file.string(), {}});
    } else {
        into.sources.push_back({name, *bytes, file.string(), {}});
    }
}

bool WantedInFolder(const std::filesystem::path& file) {
    const std::string name = file.filename().string();
    return IsNotificationFileName(name) || LowerAscii(name).ends_with(".eml");
}

// The suite path of a file beside `path` ("C:\fatture\A.xml" and "B.xml" give
// "C:\fatture\B.xml").
std::string Beside(const std::string& path, const std::string& name) {
    const std::size_t slash = path.find_last_of("\\/");
    return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + name;
}

}  // namespace

std::string StoreTime(const CivilDateTime& m) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", m.date.year, m.date.month,
                  m.date.day, m.hour, m.minute, m.second);
    return text;
}

std::string Sha256Hex(std::string_view bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest, &size, EVP_sha256(), nullptr) != 1)
        return {};
    std::string hex;
    for (unsigned int i = 0; i < size; ++i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", digest[i]);
        hex += pair;
    }
    return hex;
}

Result<std::filesystem::path> SignFile(const std::filesystem::path& xmlFile,
                                       const std::filesystem::path& p12,
                                       const std::string& password) {
    const Result<std::string> content = ReadFileBytes(xmlFile);
    if (!content) return *content.failure();
    if (p12.empty()) return Failure{"manca il certificato per la firma"};
    const Result<std::string> key = ReadFileBytes(p12);
    if (!key) return Failure{"certificato per la firma: " + key.message()};
    const Result<std::string> signedBytes = SignCadesBes(*content, *key, password);
    if (!signedBytes) return *signedBytes.failure();
    const std::filesystem::path target = xmlFile.string() + ".p7m";
    if (auto written = WriteFileDurably(target, target.filename().string(), *signedBytes); !written)
        return *written.failure();
    return target;
}

OutgoingMail MailForSystem(const std::string& from, const std::string& to,
                           const std::string& fileName, std::string bytes) {
    OutgoingMail mail;
    mail.from = from;
    mail.to = to;
    mail.subject = "Invio file " + fileName;
    mail.body = "Si trasmette il file " + fileName + " al Sistema di Interscambio.\r\n";
    mail.attachmentName = fileName;
    mail.attachment = std::move(bytes);
    mail.attachmentType = IsSignedFileName(fileName) ? "application/pkcs7-mime" : "application/xml";
    return mail;
}

Result<SendingRecord> SendFile(const MailAccount& account, const std::string& from,
                               const std::string& to, const std::filesystem::path& file,
                               std::string_view xml, const std::string& now,
                               const ProgressReport& progress) {
    Result<std::string> bytes = ReadFileBytes(file);
    if (!bytes) return *bytes.failure();
    const std::string name = file.filename().string();
    const std::string sentDigest = Sha256Hex(*bytes);
    const MailSent sent =
        SendMail(account, MailForSystem(from, to, name, std::move(*bytes)), progress);
    if (!sent.problem.empty()) {
        LogOriginal("invio di " + name, sent.systemText);
        return Failure{sent.problem};
    }
    return SendingRecord{now, name, from, to, sent.messageId, Sha256Hex(xml), sentDigest, {}};
}

Result<SendingRecord> SendEInvoice(const SdiSettings& settings, const std::string& to,
                                   const std::filesystem::path& xmlFile, const std::string& now,
                                   const ProgressReport& progress) {
    if (settings.smtp.url.empty() || settings.pecAddress.empty())
        return Failure{"nelle impostazioni mancano il server smtp o l'indirizzo pec"};
    const Result<std::string> xml = ReadFileBytes(xmlFile);
    if (!xml) return *xml.failure();
    const Result<EInvoiceFacts> facts = ReadEInvoiceFacts(*xml);
    if (!facts) return Failure{xmlFile.filename().string() + ": " + facts.message()};
    std::filesystem::path file = xmlFile;
    if (facts->publicAdministration() || settings.sign == SignPolicy::Always) {
        if (settings.certificate.empty())
            return Failure{
                "il file va firmato (fattura per la pubblica amministrazione) ma nelle "
                "impostazioni manca il certificato"};
        const Result<std::filesystem::path> signedFile =
            SignFile(xmlFile, settings.certificate, settings.certificatePassword);
        if (!signedFile) return Failure{"firma non riuscita: " + signedFile.message()};
        file = *signedFile;
    }
    return SendFile(settings.smtp, settings.pecAddress, to, file, *xml, now, progress);
}

void GatherFromMessage(std::string_view message, const std::string& origin, Gathered& into,
                       int messageIndex) {
    for (MailAttachment& a : MailAttachments(message)) {
        if (!IsNotificationFileName(a.fileName)) continue;
        if (IsSignedFileName(a.fileName)) {
            std::optional<std::string> content = SignedContent(a.bytes);
            if (!content) {
                const std::string problem = a.fileName + ": non è un file firmato leggibile";
                if (messageIndex < 0)
                    into.problems.push_back(origin + ": " + problem);
                else
                    into.messages[static_cast<std::size_t>(messageIndex)].problem = problem;
                continue;
            }
            a.bytes = std::move(*content);
        }
        into.sources.push_back({a.fileName, std::move(a.bytes), origin, a.sender, messageIndex});
    }
}

void GatherKept(const std::filesystem::path& companyFolder, const SdiStore& store, Gathered& into) {
    const std::filesystem::path folder = FindInFolder(companyFolder, kKeptFolder);
    std::error_code error;
    if (!std::filesystem::exists(folder, error)) {
        into.keptRead = !error;
        return;
    }
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.is_regular_file(error)) files.push_back(entry.path());
    if (error) {
        into.problems.push_back(std::string(kKeptFolder) + ": " + ItalianReason(error.value()));
        return;
    }
    std::sort(files.begin(), files.end());
    for (const std::filesystem::path& file : files) {
        GatheredMessage& m = into.messages.emplace_back();
        m.name = file.filename().string();
        m.origin = std::string(kKeptFolder) + "/" + m.name;
        for (const KeptMessage& k : store.kept)
            if (k.file == m.name) m.origin = k.origin;
        m.kept = true;
        Result<std::string> bytes = ReadFileBytes(file);
        if (!bytes) {
            m.problem = bytes.message();
            continue;
        }
        m.bytes = std::move(*bytes);
        GatherFromMessage(m.bytes, m.origin, into, static_cast<int>(into.messages.size() - 1));
    }
    into.keptRead = true;
}

Gathered GatherNotifications(const std::vector<std::filesystem::path>& inputs) {
    Gathered into;
    for (const std::filesystem::path& input : inputs) {
        std::error_code error;
        if (std::filesystem::is_directory(input, error)) {
            std::vector<std::filesystem::path> files;
            for (const auto& entry : std::filesystem::directory_iterator(input, error))
                if (entry.is_regular_file(error) && WantedInFolder(entry.path()))
                    files.push_back(entry.path());
            std::sort(files.begin(), files.end());
            for (const auto& file : files) GatherFile(file, into);
            if (error)
                into.problems.push_back(input.string() + ": " + ItalianReason(error.value()));
        } else {
            GatherFile(input, into);
        }
    }
    return into;
}

std::vector<NotificationOutcome> ApplyNotifications(SdiStore& store,
                                                    const std::vector<NotificationSource>& sources,
                                                    const NotificationSchemas& schemas,
                                                    const std::string& now) {
    std::vector<NotificationOutcome> outcomes;
    for (const NotificationSource& source : sources) {
        const NotificationRead read = ReadNotification(source.bytes, schemas);
        if (read.forRecipient) {
            outcomes.push_back({source.fileName + "\t\tignorata\t\tmessaggio per il destinatario "
                                                  "di una fattura, non per chi la trasmette",
                                false,
                                {}});
            continue;
        }
        if (!read.notification) {
            outcomes.push_back(
                {source.fileName + ": notifica non utilizzabile, non registrata: " + read.problem,
                 true, read.original});
            continue;
        }
        const SdiNotification& n = *read.notification;
        const Recorded recorded = RecordNotification(store, n, source.fileName, now);
        std::vector<std::string> notes;
        if (recorded == Recorded::Again) notes.push_back("già registrata");
        if (recorded == Recorded::Unmatched)
            notes.push_back("non abbinata: " + UnmatchedReason(store, n) +
                            "; conservata finché non sarà registrato un suo invio");
        if (n.schema == MessageSchema::None)
            notes.push_back("non verificata: nessuno schema per il suo spazio dei nomi");
        std::string line = n.invoiceFile + "\t" + KindCode(n.kind) + "\t" +
                           NotificationStateText(store.find(n.invoiceFile), n) + "\t" +
                           NotificationDetails(n);
        for (std::size_t i = 0; i < notes.size(); ++i) line += (i ? "; " : "\t") + notes[i];
        // Only an address: a From header that is none would make every later sending fail.
        const std::string sender = LowerAscii(source.sender);
        if (recorded == Recorded::New && IsMailAddress(sender) &&
            sender.ends_with("@pec.fatturapa.it"))
            store.assignedAddress = sender;
        outcomes.push_back({line, false, {}});
    }
    return outcomes;
}

namespace {

// Keeps a message in the kept folder; a failure says why, in Italian.
Status KeepMessage(const std::filesystem::path& companyFolder, const GatheredMessage& m) {
    const std::filesystem::path folder = FindInFolder(companyFolder, kKeptFolder);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return Failure{std::string(kKeptFolder) + ": " + ItalianReason(error.value())};
    return WriteFileDurably(folder / m.name, std::string(kKeptFolder) + "/" + m.name, m.bytes);
}

}  // namespace

std::vector<NotificationOutcome> RecordGathered(SdiStore& store, const Gathered& gathered,
                                                const NotificationSchemas& schemas,
                                                const std::filesystem::path& companyFolder,
                                                const std::string& now, MailboxMark* reached) {
    std::vector<NotificationOutcome> outcomes =
        ApplyNotifications(store, gathered.sources, schemas, now);
    for (std::size_t i = 0; i < outcomes.size(); ++i)
        if (outcomes[i].refused) LogOriginal(gathered.sources[i].fileName, outcomes[i].original);
    std::vector<std::string> unusable(gathered.messages.size());
    for (std::size_t i = 0; i < gathered.messages.size(); ++i)
        unusable[i] = gathered.messages[i].problem;
    for (std::size_t i = 0; i < gathered.sources.size(); ++i) {
        const int m = gathered.sources[i].message;
        if (m >= 0 && outcomes[i].refused)
            unusable[static_cast<std::size_t>(m)] +=
                (unusable[static_cast<std::size_t>(m)].empty() ? "" : "; ") + outcomes[i].line;
    }
    // Without the folder read whole, the messages listed before stay listed.
    std::vector<KeptMessage> kept = gathered.keptRead ? std::vector<KeptMessage>() : store.kept;
    const auto keep = [&](KeptMessage message) {  // the same message read twice is listed once
        for (const KeptMessage& k : kept)
            if (k.file == message.file) return;
        kept.push_back(std::move(message));
    };
    for (std::size_t i = 0; i < gathered.messages.size(); ++i) {
        const GatheredMessage& m = gathered.messages[i];
        const std::string where = std::string(kKeptFolder) + "/" + m.name;
        if (unusable[i].empty()) {
            if (!m.kept) continue;
            std::error_code ignored;
            std::filesystem::remove(FindInFolder(companyFolder, kKeptFolder) / m.name, ignored);
            outcomes.push_back(
                {m.origin + ": messaggio conservato ora letto, tolto da " + where, false, {}});
            continue;
        }
        if (!m.kept) {
            if (const Status failed = KeepMessage(companyFolder, m); !failed) {
                // Not kept: the mailbox is read from it again next time.
                if (reached && m.uid > 0) reached->lastUid = std::min(reached->lastUid, m.uid - 1);
                outcomes.push_back({m.origin + ": messaggio non conservato, sarà letto di nuovo: " +
                                        failed.message(),
                                    true,
                                    {}});
                continue;
            }
        }
        std::string keptAt = now;
        for (const KeptMessage& before : store.kept)
            if (before.file == m.name) keptAt = before.keptAt;
        keep({m.name, m.origin, keptAt, unusable[i]});
        outcomes.push_back({m.origin + ": messaggio conservato in " + where +
                                ", sarà letto di nuovo a ogni lettura delle notifiche",
                            true,
                            {}});
    }
    store.kept = std::move(kept);
    return outcomes;
}

std::string MailboxKey(const MailAccount& imap) {
    return imap.url;
}

long long ReadAfterUid(const MailboxMark& mark, long long uidValidity) {
    const bool renumbered =
        mark.uidValidity != 0 && uidValidity != 0 && mark.uidValidity != uidValidity;
    return renumbered ? 0 : mark.lastUid;
}

Status GatherFromMailbox(const MailAccount& imap, const MailboxMark& from, Gathered& into,
                         MailboxMark& reached) {
    reached = from;
    MailboxUids listed = MessagesAfter(imap, from.lastUid);
    const long long afterUid =
        listed.problem.empty() ? ReadAfterUid(from, listed.uidValidity) : from.lastUid;
    // Notifications read before are read again then, and recorded once.
    if (afterUid != from.lastUid) listed = MessagesAfter(imap, afterUid);
    if (!listed.problem.empty()) {
        LogOriginal("casella " + MailboxKey(imap), listed.systemText);
        return Failure{listed.problem};
    }
    reached = {afterUid, listed.uidValidity != 0 ? listed.uidValidity : from.uidValidity};
    for (long long uid : listed.uids) {
        FetchedMessage message = FetchMessage(imap, uid);
        const std::string origin = MailboxKey(imap) + ", messaggio " + std::to_string(uid);
        if (message.tooLarge) {
            // No notification is that large: it stays in the mailbox, and the reading goes on.
            into.problems.push_back(origin + ": " + message.problem);
        } else if (!message.problem.empty()) {
            LogOriginal("lettura di " + origin, message.systemText);
            return Failure{message.problem};  // the next reading starts here
        } else {
            GatheredMessage& m = into.messages.emplace_back();
            m.name = "messaggio_" + std::to_string(uid) + "_" +
                     Sha256Hex(message.bytes).substr(0, 12) + ".eml";
            m.origin = origin;
            m.uid = uid;
            m.bytes = std::move(message.bytes);
            GatherFromMessage(m.bytes, origin, into, static_cast<int>(into.messages.size() - 1));
        }
        reached.lastUid = uid;
    }
    return {};
}

Status ListEInvoice(SdiStore& store, const std::filesystem::path& file, const std::string& path) {
    const Result<std::string> xml = ReadFileBytes(file);
    if (!xml) return Failure{xml.message()};
    const Result<EInvoiceFacts> facts = ReadEInvoiceFacts(*xml);
    if (!facts) return Failure{file.filename().string() + ": " + facts.message()};
    store.add(file.filename().string(), path, *facts);
    return {};
}

Result<std::string> StoreWithEInvoice(const std::filesystem::path& companyFolder,
                                      const std::filesystem::path& file, const std::string& path) {
    Result<SdiStore> store = LoadSdiStore(companyFolder);
    if (!store) return *store.failure();
    if (const Status listed = ListEInvoice(*store, file, path); !listed)
        return Failure{listed.message()};
    return FormatSdiStore(*store);
}

bool UnchangedSinceSent(const EInvoiceEntry& entry, const std::filesystem::path& file) {
    const Result<std::string> xml = ReadFileBytes(file);
    return xml && !entry.sendings.empty() && entry.sendings.back().digest == Sha256Hex(*xml);
}

Result<Resent> PrepareResend(SdiStore& store, const std::string& rejectedFile, Session& s) {
    EInvoiceEntry* old = store.find(rejectedFile);
    if (!old || StateOf(*old) != EInvoiceState::Rejected || !old->replacedBy.empty())
        return Failure{"si può inviare di nuovo solo una fattura scartata, una volta"};
    const std::filesystem::path oldFile = s.paths.map(old->path);
    const Result<std::string> xml = ReadFileBytes(oldFile);
    if (!xml) return Failure{xml.message()};
    Result<EInvoiceFacts> facts = ReadEInvoiceFacts(*xml);
    if (!facts) return Failure{old->fileName + ": " + facts.message()};

    CountersRecord counter;
    try {
        counter = s.files.read<CountersFile>(tot::kFatturaPa);
    } catch (const RecordIoError& e) {
        return Failure{e.what()};
    }
    const int next = counter.int16(tot::kRecordCount) + 1;
    const std::string part = FileProgressive(next);
    if (next < 1 || next > kMaxCountedRecords || part.empty() || !s.files.isWritable(kTot))
        return Failure{"il contatore dei progressivi di invio (qorvana.tot) non si può usare"};
    const std::size_t underscore = old->fileName.rfind('_');
    const std::string newName =
        old->fileName.substr(0, underscore == std::string::npos ? 0 : underscore) + "_" + part +
        ".xml";
    const std::optional<std::string> changed = WithProgressive(*xml, std::to_string(next));
    if (!changed) return Failure{old->fileName + ": manca l'elemento ProgressivoInvio"};
    if (store.find(newName))
        return Failure{"la fattura elettronica " + newName +
                       " è già nell'elenco: il contatore dei progressivi di invio è indietro"};
    // Checked as it will travel: its new name and progressive.
    if (facts->format == "FPA12" || facts->format == "FPR12") {
        const Result<std::unique_ptr<FpaSchema>> schema = FpaSchema::Load(DefaultFpaSchemaPath());
        if (!schema) return *schema.failure();
        const std::vector<FpaFinding> findings = CheckFatturaPAFile(newName, *changed, **schema);
        if (!findings.empty()) {
            std::string text = "il file " + old->fileName +
                               " va ancora corretto, il Sistema di Interscambio lo scarterebbe:";
            for (const FpaFinding& f : findings) text += "\n- " + FormatFinding(f);
            return Failure{text};
        }
    }
    const std::filesystem::path newFile = oldFile.parent_path() / newName;
    std::error_code error;
    if (std::filesystem::exists(newFile, error))
        return Failure{"il file " + newName +
                       " esiste già: il contatore dei progressivi di "
                       "invio è indietro"};
    // The file, the counter and the store go together, under an intent.
    facts->progressive = std::to_string(next);
    const std::string oldName = old->fileName;
    const std::string newPath = Beside(old->path, newName);
    old->replacedBy = newName;  // `old` is not used after the store grows
    store.add(newName, newPath, *facts).replaces = oldName;
    WriteSet set(s.files);
    const auto staged = set.stage(newFile, newPath, *changed);
    if (!staged) return *staged.failure();
    const auto listed = set.stage(FindInFolder(s.companyFolder(), kSdiStoreFile), kSdiStoreFile,
                                  FormatSdiStore(store));
    if (!listed) return *listed.failure();
    set.step(newName);
    set.publish(*staged);
    counter.setInt16(tot::kRecordCount, static_cast<std::int16_t>(next));
    set.step("contatore dei progressivi di invio (qorvana.tot)");
    try {
        set.write<CountersFile>(tot::kFatturaPa, counter);
    } catch (const RecordIoError& e) {
        return Failure{e.what()};
    }
    set.flush();
    set.step(kSdiStoreFile);
    set.publish(*listed);
    const Status applied = ApplyWithIntent(set, s.companyFolder(),
                                           "Il nuovo invio di " + oldName + " come " + newName);
    if (!applied) return *applied.failure();
    return Resent{newName, newFile};
}

}  // namespace qorvana

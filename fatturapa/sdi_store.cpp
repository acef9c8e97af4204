#include "fatturapa/sdi_store.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "core/cp1252.h"
#include "core/paths.h"
#include "core/text.h"
#include "core/whole_file.h"
#include "fatturapa/mail_transport.h"
#include "fatturapa/sdi_files.h"
#include "fatturapa/sdi_signature.h"
#include "fatturapa/sdi_state.h"

namespace qorvana {
namespace {

constexpr std::string_view kHeader = "QORVANA-SDI\t2";
// Before transmissions were told apart: no Hash, MessageId, suggestion, nor unmatched
// notifications and kept messages.
constexpr std::string_view kHeaderVersion1 = "QORVANA-SDI\t1";

constexpr std::pair<MessageSchema, std::string_view> kSchemaNames[] = {
    {MessageSchema::PublicAdministration, "MessaggiTypes_v1.1"},
    {MessageSchema::Business, "MessaggiFatturaTypes_v1.0"},
    {MessageSchema::None, "nessuno"},
};

std::string_view SchemaName(MessageSchema schema) {
    for (const auto& [s, name] : kSchemaNames)
        if (s == schema) return name;
    return {};
}

std::optional<MessageSchema> SchemaNamed(std::string_view name) {
    for (const auto& [s, known] : kSchemaNames)
        if (known == name) return s;
    return std::nullopt;
}

std::string WithoutSignature(std::string_view name) {
    std::string lower = LowerAscii(name);
    if (lower.ends_with(".p7m")) lower.resize(lower.size() - 4);
    return lower;
}

// A field of a line: no tab or line break can reach the file.
std::string Field(std::string_view text) {
    std::string clean(text);
    std::replace_if(
        clean.begin(), clean.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; },
        ' ');
    return clean;
}

std::string Line(std::initializer_list<std::string_view> fields) {
    std::string line;
    bool first = true;
    for (std::string_view f : fields) {
        line += (first ? "" : "\t") + Field(f);
        first = false;
    }
    return Utf8ToCp1252(line) + "\r\n";
}

std::vector<std::string> SplitTabs(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t at; (at = line.find('\t', start)) != std::string_view::npos; start = at + 1)
        fields.push_back(Cp1252ToUtf8(line.substr(start, at - start)));
    fields.push_back(Cp1252ToUtf8(line.substr(start)));
    return fields;
}

// A UID or UIDVALIDITY of a mailbox's mark (0: none); nullopt for anything else.
std::optional<long long> MarkNumber(std::string_view text) {
    long long uid = -1;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, uid);
    if (error != std::errc() || stop != end || uid < 0 || uid > kLastMessageUid)
        return std::nullopt;
    return uid;
}

}  // namespace

bool SameInvoiceFile(std::string_view a, std::string_view b) {
    return WithoutSignature(a) == WithoutSignature(b);
}

EInvoiceEntry* SdiStore::find(std::string_view fileName) {
    for (EInvoiceEntry& e : entries)
        if (SameInvoiceFile(e.fileName, fileName)) return &e;
    return nullptr;
}

const EInvoiceEntry* SdiStore::find(std::string_view fileName) const {
    return const_cast<SdiStore*>(this)->find(fileName);
}

EInvoiceEntry& SdiStore::add(const std::string& fileName, const std::string& path,
                             const EInvoiceFacts& facts) {
    if (EInvoiceEntry* known = find(fileName)) return *known;
    EInvoiceEntry& e = entries.emplace_back();
    e.fileName = fileName;
    e.path = path;
    e.number = facts.number;
    e.date = facts.date;
    e.customer = facts.customer;
    e.customerId = facts.customerId;
    e.format = facts.format;
    e.progressive = facts.progressive;
    return e;
}

std::string FormatSdiStore(const SdiStore& store) {
    std::string text = std::string(kHeader) + "\r\n";
    if (!store.assignedAddress.empty()) text += Line({"A", store.assignedAddress});
    for (const auto& [mailbox, mark] : store.mailboxMarks) {
        if (mark.uidValidity == 0)
            text += Line({"M", mailbox, std::to_string(mark.lastUid)});
        else
            text += Line(
                {"M", mailbox, std::to_string(mark.lastUid), std::to_string(mark.uidValidity)});
    }
    const auto notification = [&](std::string_view kind, std::string_view file,
                                  const NotificationRecord& n) {
        text += Line({kind, file, KindCode(n.kind), n.recordedAt, n.notificationFile, n.sdiId,
                      n.moment, n.outcome, n.description, n.messageId, n.hash, n.availableSince,
                      SchemaName(n.schema)});
        for (const SdiError& error : n.errors)
            text += Line({"E", file, error.code, error.description, error.suggestion});
    };
    for (const EInvoiceEntry& e : store.entries) {
        text += Line({"F", e.fileName, e.path, e.number, e.date, e.customer, e.customerId, e.format,
                      e.progressive, e.replaces, e.replacedBy});
        for (const SendingRecord& s : e.sendings)
            text += Line({"I", e.fileName, s.time, s.fileSent, s.from, s.to, s.messageId, s.digest,
                          s.sentDigest, s.sdiId});
        for (const NotificationRecord& n : e.notifications) notification("N", e.fileName, n);
    }
    for (const NotificationRecord& n : store.unmatched) notification("U", n.invoiceFile, n);
    for (const KeptMessage& k : store.kept)
        text += Line({"S", k.file, k.origin, k.keptAt, k.reason});
    return text;
}

namespace {

// A notification line's fields after the kind and the file (version 1 stops at the
// description); nullopt when its kind or schema is unknown.
std::optional<NotificationRecord> NotificationOfLine(const std::vector<std::string>& f,
                                                     bool version1) {
    const std::optional<NotificationKind> kind = KindOfCode(f[2]);
    const std::optional<MessageSchema> schema =
        version1 ? MessageSchema::PublicAdministration : SchemaNamed(f[12]);
    if (!kind || !schema) return std::nullopt;
    NotificationRecord n;
    n.kind = *kind;
    n.invoiceFile = f[1];
    n.recordedAt = f[3];
    n.notificationFile = f[4];
    n.sdiId = f[5];
    n.moment = f[6];
    n.outcome = f[7];
    n.description = f[8];
    if (!version1) {
        n.messageId = f[9];
        n.hash = f[10];
        n.availableSince = f[11];
    }
    n.schema = *schema;
    return n;
}

// A store kept before transmissions were told apart: its notifications tied again, each to
// the sending it belongs to (the same one recorded under two names once); an unsent file's
// sent aside among the unmatched.
void TieVersion1(SdiStore& store) {
    std::vector<NotificationRecord> notifications;
    for (EInvoiceEntry& e : store.entries) {
        for (NotificationRecord& n : e.notifications) {
            n.invoiceFile = e.fileName;
            notifications.push_back(std::move(n));
        }
        e.notifications.clear();
        for (SendingRecord& s : e.sendings)
            if (!IsSignedFileName(s.fileSent)) s.sentDigest = s.digest;
    }
    for (const NotificationRecord& n : notifications)
        RecordNotification(store, n, n.notificationFile, n.recordedAt);
}

// Done when a store's transmissions hold together; else why they do not.
Status TransmissionsHold(const SdiStore& store) {
    for (const EInvoiceEntry& e : store.entries) {
        for (std::size_t i = 0; i < e.sendings.size(); ++i)
            for (std::size_t j = 0; j < i; ++j)
                if (!e.sendings[i].sdiId.empty() && e.sendings[i].sdiId == e.sendings[j].sdiId)
                    return Failure{"due invii di " + e.fileName +
                                   " con lo stesso identificativo SdI"};
        for (const NotificationRecord& n : e.notifications)
            if (std::none_of(e.sendings.begin(), e.sendings.end(),
                             [&](const SendingRecord& s) { return s.sdiId == n.sdiId; }))
                return Failure{"una notifica di " + e.fileName + " non ha il suo invio"};
    }
    return {};
}

}  // namespace

Result<SdiStore> ParseSdiStore(std::string_view bytes) {
    SdiStore store;
    std::size_t start = 0;
    int number = 0;
    bool version1 = false;
    NotificationRecord* lastNotification = nullptr;  // the one an E line adds an error to
    auto damaged = [&](const std::string& why) {
        return Failure{"il file " + std::string(kSdiStoreFile) + " è danneggiato alla riga " +
                       std::to_string(number) + ": " + why};
    };
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        start = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (number == 1) {
            version1 = line == kHeaderVersion1;
            if (line != kHeader && !version1)
                return damaged("non è un archivio delle fatture elettroniche");
            continue;
        }
        if (line.empty()) continue;
        const std::vector<std::string> f = SplitTabs(line);
        // Written from UTF-8, the store never holds a byte Windows-1252 leaves undefined (read
        // as U+FFFD): one would not survive the next save.
        for (const std::string& field : f)
            if (field.find("\xEF\xBF\xBD") != std::string::npos)
                return damaged("carattere non previsto");
        const std::string& kind = f[0];
        auto needs = [&](std::size_t v1, std::size_t v2) {
            return f.size() >= (version1 ? v1 : v2);
        };
        NotificationRecord* const errorsOf = lastNotification;
        lastNotification = nullptr;
        if (kind == "A" && needs(2, 2)) {
            store.assignedAddress = f[1];
        } else if (kind == "M" && needs(3, 3)) {
            // The mailbox is read from its mark: the server refuses a negative one every
            // time, and one beyond the UIDs would overflow.
            const std::optional<long long> uid = MarkNumber(f[2]);
            const std::optional<long long> validity =
                f.size() > 3 ? MarkNumber(f[3]) : std::optional<long long>(0);
            if (!uid || !validity)
                return damaged("segno di lettura della casella non valido " + f[uid ? 3 : 2]);
            store.mailboxMarks[f[1]] = {*uid, *validity};
        } else if (kind == "F" && needs(11, 11)) {
            if (store.find(f[1])) return damaged("la fattura " + f[1] + " compare due volte");
            store.entries.push_back(
                {f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10], {}, {}});
        } else if (kind == "U" && !version1 && needs(13, 13)) {
            std::optional<NotificationRecord> n = NotificationOfLine(f, false);
            if (!n) return damaged("notifica non riconosciuta " + f[2]);
            lastNotification = &store.unmatched.emplace_back(std::move(*n));
        } else if (kind == "S" && !version1 && needs(5, 5)) {
            store.kept.push_back({f[1], f[2], f[3], f[4]});
        } else if (kind == "E" && needs(4, 5)) {
            if (!errorsOf) return damaged("errore senza notifica");
            errorsOf->errors.push_back({f[2], f[3], version1 ? "" : f[4]});
            lastNotification = errorsOf;
        } else if ((kind == "I" && needs(8, 10)) || (kind == "N" && needs(9, 13))) {
            EInvoiceEntry* e = store.find(f[1]);
            if (!e) return damaged("la fattura " + f[1] + " non è stata elencata prima");
            if (kind == "I") {
                e->sendings.push_back({f[2], f[3], f[4], f[5], f[6], f[7], version1 ? "" : f[8],
                                       version1 ? "" : f[9]});
            } else {
                std::optional<NotificationRecord> n = NotificationOfLine(f, version1);
                if (!n) return damaged("notifica non riconosciuta " + f[2]);
                n->invoiceFile = e->fileName;
                lastNotification = &e->notifications.emplace_back(std::move(*n));
            }
        } else {
            return damaged("riga non riconosciuta");
        }
    }
    if (version1) {
        TieVersion1(store);
    } else if (const Status hold = TransmissionsHold(store); !hold) {
        return Failure{"il file " + std::string(kSdiStoreFile) +
                       " è danneggiato: " + hold.message()};
    }
    return store;
}

Result<SdiStore> LoadSdiStore(const std::filesystem::path& companyFolder) {
    const std::filesystem::path file = FindInFolder(companyFolder, kSdiStoreFile);
    std::error_code error;
    if (!std::filesystem::exists(file, error)) return SdiStore{};
    const Result<std::string> bytes = ReadFileBytes(file);
    if (!bytes)
        return Failure{"il file " + std::string(kSdiStoreFile) + " non si può leggere (" +
                       bytes.message() + ")"};
    return ParseSdiStore(*bytes);
}

Status SaveSdiStore(const std::filesystem::path& companyFolder, const SdiStore& store) {
    const std::filesystem::path file = FindInFolder(companyFolder, kSdiStoreFile);
    return WriteFileDurably(file, kSdiStoreFile, FormatSdiStore(store));
}

}  // namespace qorvana

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

namespace qorvana {
namespace {

constexpr std::string_view kHeader = "QORVANA-SDI\t1";

std::string WithoutSignature(std::string_view name) {
    std::string lower = LowerAscii(name);
    if (lower.ends_with(".p7m")) lower.resize(lower.size() - 4);
    return lower;
}

// How far along an e-invoice a notification brings it; the furthest decides the state.
int Rank(NotificationKind kind) {
    switch (kind) {
        case NotificationKind::MC:
            return 1;
        case NotificationKind::RC:
            return 2;
        case NotificationKind::AT:
            return 3;
        case NotificationKind::NS:
        case NotificationKind::NE:
        case NotificationKind::DT:
            return 4;
    }
    return 0;
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

std::optional<NotificationKind> KindOf(std::string_view code) {
    for (NotificationKind k : {NotificationKind::RC, NotificationKind::NS, NotificationKind::MC,
                               NotificationKind::NE, NotificationKind::DT, NotificationKind::AT})
        if (KindCode(k) == code) return k;
    return std::nullopt;
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

const NotificationRecord* DecidingNotification(const EInvoiceEntry& entry) {
    const NotificationRecord* deciding = nullptr;
    for (const NotificationRecord& n : entry.notifications)
        if (!deciding || Rank(n.kind) >= Rank(deciding->kind)) deciding = &n;
    return deciding;
}

EInvoiceState StateOf(const EInvoiceEntry& entry) {
    const NotificationRecord* n = DecidingNotification(entry);
    if (!n) return entry.sendings.empty() ? EInvoiceState::Written : EInvoiceState::Sent;
    switch (n->kind) {
        case NotificationKind::RC:
            return EInvoiceState::Delivered;
        case NotificationKind::NS:
            return EInvoiceState::Rejected;
        case NotificationKind::MC:
            return EInvoiceState::NotDelivered;
        case NotificationKind::NE:
            return n->outcome == "EC02" ? EInvoiceState::Refused : EInvoiceState::Accepted;
        case NotificationKind::DT:
            return EInvoiceState::TermsExpired;
        case NotificationKind::AT:
            return EInvoiceState::Attested;
    }
    return EInvoiceState::Sent;
}

std::string StateText(EInvoiceState state) {
    switch (state) {
        case EInvoiceState::Written:
            return "da inviare";
        case EInvoiceState::Sent:
            return "inviata";
        case EInvoiceState::Delivered:
            return "consegnata";
        case EInvoiceState::NotDelivered:
            return "mancata consegna";
        case EInvoiceState::Rejected:
            return "scartata";
        case EInvoiceState::Accepted:
            return "accettata";
        case EInvoiceState::Refused:
            return "rifiutata";
        case EInvoiceState::TermsExpired:
            return "decorrenza termini";
        case EInvoiceState::Attested:
            return "trasmessa, non recapitabile";
    }
    return {};
}

std::string NotificationStateText(const NotificationRecord& notification) {
    EInvoiceEntry alone;
    alone.notifications.push_back(notification);
    return StateText(StateOf(alone));
}

std::string StateLine(const EInvoiceEntry& entry) {
    std::string text = StateText(StateOf(entry));
    if (!entry.replacedBy.empty()) text += " (rinviata con " + entry.replacedBy + ")";
    return text;
}

std::string NotificationDetails(NotificationKind kind, const std::string& outcome,
                                const std::string& description,
                                const std::vector<SdiError>& errors) {
    std::string text;
    for (const SdiError& e : errors)
        text += (text.empty() ? "" : "; ") + e.code + " " + e.description;
    if (kind == NotificationKind::NE) text = outcome;
    if (!description.empty()) text += (text.empty() ? "" : " ") + description;
    return text;
}

Recorded RecordNotification(SdiStore& store, const SdiNotification& n,
                            const std::string& notificationFile, const std::string& now) {
    EInvoiceEntry* entry = store.find(n.invoiceFile);
    if (!entry) return Recorded::UnknownFile;
    for (const NotificationRecord& known : entry->notifications)
        if (known.kind == n.kind && known.sdiId == n.sdiId &&
            LowerAscii(known.notificationFile) == LowerAscii(notificationFile))
            return Recorded::Again;
    entry->notifications.push_back(
        {n.kind, now, notificationFile, n.sdiId, n.moment, n.outcome, n.description, n.errors});
    return Recorded::New;
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
    for (const EInvoiceEntry& e : store.entries) {
        text += Line({"F", e.fileName, e.path, e.number, e.date, e.customer, e.customerId, e.format,
                      e.progressive, e.replaces, e.replacedBy});
        for (const SendingRecord& s : e.sendings)
            text +=
                Line({"I", e.fileName, s.time, s.fileSent, s.from, s.to, s.messageId, s.digest});
        for (const NotificationRecord& n : e.notifications) {
            text += Line({"N", e.fileName, KindCode(n.kind), n.recordedAt, n.notificationFile,
                          n.sdiId, n.moment, n.outcome, n.description});
            for (const SdiError& error : n.errors)
                text += Line({"E", e.fileName, error.code, error.description});
        }
    }
    return text;
}

std::optional<SdiStore> ParseSdiStore(std::string_view bytes, std::string& problem) {
    SdiStore store;
    std::size_t start = 0;
    int number = 0;
    auto damaged = [&](const std::string& why) {
        problem = "il file " + std::string(kSdiStoreFile) + " è danneggiato alla riga " +
                  std::to_string(number) + ": " + why;
        return std::nullopt;
    };
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        start = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (number == 1) {
            if (line != kHeader) return damaged("non è un archivio delle fatture elettroniche");
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
        auto needs = [&](std::size_t n) { return f.size() >= n; };
        if (kind == "A" && needs(2)) {
            store.assignedAddress = f[1];
        } else if (kind == "M" && needs(3)) {
            // The mailbox is read from its mark: the server refuses a negative one every
            // time, and one beyond the UIDs would overflow.
            const std::optional<long long> uid = MarkNumber(f[2]);
            const std::optional<long long> validity =
                f.size() > 3 ? MarkNumber(f[3]) : std::optional<long long>(0);
            if (!uid || !validity)
                return damaged("segno di lettura della casella non valido " + f[uid ? 3 : 2]);
            store.mailboxMarks[f[1]] = {*uid, *validity};
        } else if (kind == "F" && needs(11)) {
            if (store.find(f[1])) return damaged("la fattura " + f[1] + " compare due volte");
            store.entries.push_back(
                {f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10], {}, {}});
        } else if ((kind == "I" && needs(8)) || (kind == "N" && needs(9)) ||
                   (kind == "E" && needs(4))) {
            EInvoiceEntry* e = store.find(f[1]);
            if (!e) return damaged("la fattura " + f[1] + " non è stata elencata prima");
            if (kind == "I") {
                e->sendings.push_back({f[2], f[3], f[4], f[5], f[6], f[7]});
            } else if (kind == "N") {
                const std::optional<NotificationKind> k = KindOf(f[2]);
                if (!k) return damaged("tipo di notifica sconosciuto " + f[2]);
                e->notifications.push_back({*k, f[3], f[4], f[5], f[6], f[7], f[8], {}});
            } else {
                if (e->notifications.empty()) return damaged("errore senza notifica");
                e->notifications.back().errors.push_back({f[2], f[3]});
            }
        } else {
            return damaged("riga non riconosciuta");
        }
    }
    return store;
}

std::optional<SdiStore> LoadSdiStore(const std::filesystem::path& companyFolder,
                                     std::string& problem) {
    const std::filesystem::path file = FindInFolder(companyFolder, kSdiStoreFile);
    std::error_code error;
    if (!std::filesystem::exists(file, error)) return SdiStore{};
    std::string reason;
    const std::optional<std::string> bytes = ReadFileBytes(file, &reason);
    if (!bytes) {
        problem = "il file " + std::string(kSdiStoreFile) + " non si può leggere (" + reason + ")";
        return std::nullopt;
    }
    return ParseSdiStore(*bytes, problem);
}

std::string SaveSdiStore(const std::filesystem::path& companyFolder, const SdiStore& store) {
    const std::filesystem::path file = FindInFolder(companyFolder, kSdiStoreFile);
    return WriteFileDurably(file, kSdiStoreFile, FormatSdiStore(store)).value_or("");
}

std::string StatusLine(const EInvoiceEntry& e) {
    const NotificationRecord* last = e.notifications.empty() ? nullptr : &e.notifications.back();
    std::string lastText;
    if (last) lastText = KindCode(last->kind) + (last->moment.empty() ? "" : " " + last->moment);
    const NotificationRecord* d = DecidingNotification(e);
    const std::string errors =
        d ? NotificationDetails(d->kind, d->outcome, d->description, d->errors) : "";
    return e.fileName + "\t" + e.number + " del " + e.date + "\t" + e.customer + "\t" +
           StateLine(e) + "\t" + lastText + "\t" + errors;
}

}  // namespace qorvana

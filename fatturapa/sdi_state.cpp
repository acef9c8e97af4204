#include "fatturapa/sdi_state.h"

#include <algorithm>
#include <cctype>

#include "core/text.h"
#include "fatturapa/sdi_signature.h"

namespace qorvana {
namespace {

// How far along a transmission a notification brings it; the furthest decides its state.
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

bool ForPublicAdministration(const EInvoiceEntry& entry) {
    EInvoiceFacts facts;
    facts.format = entry.format;
    return facts.publicAdministration();
}

// True when the notification belongs to the public-administration flow: its e-invoice's, or,
// without one, as the message itself says.
bool PublicAdministrationFlow(const EInvoiceEntry* entry, const SdiNotification& n) {
    if (entry) return ForPublicAdministration(*entry);
    return n.schema == MessageSchema::PublicAdministration && n.availableSince.empty();
}

EInvoiceState StateBrought(bool publicAdministration, const SdiNotification& n) {
    switch (n.kind) {
        case NotificationKind::RC:
            return EInvoiceState::Delivered;
        case NotificationKind::NS:
            return EInvoiceState::Rejected;
        case NotificationKind::MC:
            return publicAdministration ? EInvoiceState::NotDelivered
                                        : EInvoiceState::MadeAvailable;
        case NotificationKind::NE:
            return n.outcome == "EC02" ? EInvoiceState::Refused : EInvoiceState::Accepted;
        case NotificationKind::DT:
            return EInvoiceState::TermsExpired;
        case NotificationKind::AT:
            return EInvoiceState::Attested;
    }
    return EInvoiceState::Sent;
}

const NotificationRecord* Furthest(const std::vector<const NotificationRecord*>& notifications) {
    const NotificationRecord* furthest = nullptr;
    for (const NotificationRecord* n : notifications)
        if (!furthest || Rank(n->kind) >= Rank(furthest->kind)) furthest = n;
    return furthest;
}

// The transmission whose state is the e-invoice's: the latest the system accepted, else the
// latest still waiting for an answer, else the latest; nullptr before any sending.
const SendingRecord* DecidingSending(const EInvoiceEntry& entry) {
    const SendingRecord* waiting = nullptr;
    for (auto s = entry.sendings.rbegin(); s != entry.sendings.rend(); ++s) {
        const EInvoiceState state = TransmissionState(entry, *s);
        if (state != EInvoiceState::Sent && state != EInvoiceState::Rejected) return &*s;
        if (state == EInvoiceState::Sent && !waiting) waiting = &*s;
    }
    if (waiting) return waiting;
    return entry.sendings.empty() ? nullptr : &entry.sendings.back();
}

bool SameNotification(const SdiNotification& a, const SdiNotification& b) {
    // Stores kept before the MessageId was recorded have none: kind and number then suffice,
    // the system sending one of each kind per transmission.
    return a.kind == b.kind && a.sdiId == b.sdiId &&
           (a.messageId == b.messageId || a.messageId.empty() || b.messageId.empty());
}

bool RecordedBefore(const SdiStore& store, const SdiNotification& n) {
    const auto same = [&](const NotificationRecord& known) { return SameNotification(known, n); };
    for (const EInvoiceEntry& e : store.entries)
        if (std::any_of(e.notifications.begin(), e.notifications.end(), same)) return true;
    return std::any_of(store.unmatched.begin(), store.unmatched.end(), same);
}

// True when the file the system received may be the one of this sending.
bool HashFits(const SendingRecord& sending, const std::string& hash) {
    if (hash.empty()) return true;
    const std::string received = LowerAscii(hash);
    if (received == sending.sentDigest || received == sending.digest) return true;
    // Sent signed before the signed file's digest was recorded: it cannot be told.
    return sending.sentDigest.empty() && IsSignedFileName(sending.fileSent);
}

struct Transmission {
    EInvoiceEntry* entry = nullptr;
    SendingRecord* sending = nullptr;
};

// The sending a notification is about: the one numbered as it says, else the first not yet
// numbered that its Hash fits; none when no recorded sending fits.
Transmission TransmissionFor(SdiStore& store, const SdiNotification& n) {
    EInvoiceEntry* entry = store.find(n.invoiceFile);
    if (!entry || n.sdiId.empty()) return {entry, nullptr};
    for (SendingRecord& s : entry->sendings)
        if (s.sdiId == n.sdiId) return {entry, &s};
    for (SendingRecord& s : entry->sendings)
        if (s.sdiId.empty() && HashFits(s, n.hash)) return {entry, &s};
    return {entry, nullptr};
}

void Tie(const Transmission& t, NotificationRecord record) {
    if (t.sending->sdiId.empty()) t.sending->sdiId = record.sdiId;
    t.entry->notifications.push_back(std::move(record));
}

// "2026-12-07" of a text that starts so; empty otherwise.
std::string DatePart(const std::string& text) {
    if (text.size() < 10 || text[4] != '-' || text[7] != '-') return {};
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return {};
    return text.substr(8, 2) + "/" + text.substr(5, 2) + "/" + text.substr(0, 4);
}

}  // namespace

std::string StateText(EInvoiceState state) {
    switch (state) {
        case EInvoiceState::Written:
            return "da inviare";
        case EInvoiceState::Sent:
            return "inviata";
        case EInvoiceState::Delivered:
            return "consegnata";
        case EInvoiceState::MadeAvailable:
            return "messa a disposizione";
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

std::vector<const NotificationRecord*> NotificationsOf(const EInvoiceEntry& entry,
                                                       const SendingRecord& sending) {
    std::vector<const NotificationRecord*> own;
    if (sending.sdiId.empty()) return own;
    for (const NotificationRecord& n : entry.notifications)
        if (n.sdiId == sending.sdiId) own.push_back(&n);
    return own;
}

EInvoiceState TransmissionState(const EInvoiceEntry& entry, const SendingRecord& sending) {
    const NotificationRecord* n = Furthest(NotificationsOf(entry, sending));
    return n ? StateBrought(ForPublicAdministration(entry), *n) : EInvoiceState::Sent;
}

EInvoiceState StateOf(const EInvoiceEntry& entry) {
    const SendingRecord* s = DecidingSending(entry);
    return s ? TransmissionState(entry, *s) : EInvoiceState::Written;
}

const NotificationRecord* DecidingNotification(const EInvoiceEntry& entry) {
    const SendingRecord* s = DecidingSending(entry);
    return s ? Furthest(NotificationsOf(entry, *s)) : nullptr;
}

std::string StateLine(const EInvoiceEntry& entry) {
    std::string text = StateText(StateOf(entry));
    if (!entry.replacedBy.empty()) text += " (rinviata con " + entry.replacedBy + ")";
    return text;
}

std::string NotificationStateText(const EInvoiceEntry* entry, const SdiNotification& n) {
    return StateText(StateBrought(PublicAdministrationFlow(entry, n), n));
}

std::string NotificationDetails(const SdiNotification& n) {
    std::string text;
    for (const SdiError& e : n.errors)
        text += (text.empty() ? "" : "; ") + e.code + " " + e.description +
                (e.suggestion.empty() ? "" : " (suggerimento: " + e.suggestion + ")");
    if (n.kind == NotificationKind::NE) text = n.outcome;
    if (!n.description.empty()) text += (text.empty() ? "" : " ") + n.description;
    if (!n.availableSince.empty())
        text += std::string(text.empty() ? "" : "; ") + "nell'area riservata del cliente dal " +
                DisplayMoment(n.availableSince);
    return text;
}

Recorded RecordNotification(SdiStore& store, const SdiNotification& n,
                            const std::string& notificationFile, const std::string& now) {
    if (RecordedBefore(store, n)) return Recorded::Again;
    NotificationRecord record{n, now, notificationFile};
    const Transmission t = TransmissionFor(store, n);
    if (!t.sending) {
        store.unmatched.push_back(std::move(record));
        return Recorded::Unmatched;
    }
    Tie(t, std::move(record));
    return Recorded::New;
}

std::string UnmatchedReason(const SdiStore& store, const SdiNotification& n) {
    const EInvoiceEntry* entry = store.find(n.invoiceFile);
    if (!entry) return "nessuna fattura elettronica di questa azienda si chiama " + n.invoiceFile;
    if (entry->sendings.empty()) return "la fattura elettronica non risulta inviata";
    if (n.sdiId.empty()) return "la notifica non ha l'identificativo SdI";
    if (std::any_of(entry->sendings.begin(), entry->sendings.end(),
                    [](const SendingRecord& s) { return s.sdiId.empty(); }))
        return "l'impronta (Hash) del file ricevuto dal Sistema di Interscambio non corrisponde "
               "a nessun invio registrato";
    return "ogni invio registrato della fattura ha già un altro identificativo SdI";
}

int RecordSending(SdiStore& store, EInvoiceEntry& entry, const SendingRecord& sending) {
    entry.sendings.push_back(sending);
    int matched = 0;
    for (auto n = store.unmatched.begin(); n != store.unmatched.end();) {
        const Transmission t = TransmissionFor(store, *n);
        if (!t.sending) {
            ++n;
            continue;
        }
        Tie(t, std::move(*n));
        n = store.unmatched.erase(n);
        ++matched;
    }
    return matched;
}

std::string StatusLine(const EInvoiceEntry& e) {
    const NotificationRecord* last = e.notifications.empty() ? nullptr : &e.notifications.back();
    std::string lastText;
    if (last) lastText = KindCode(last->kind) + (last->moment.empty() ? "" : " " + last->moment);
    const NotificationRecord* d = DecidingNotification(e);
    return e.fileName + "\t" + e.number + " del " + e.date + "\t" + e.customer + "\t" +
           StateLine(e) + "\t" + lastText + "\t" + (d ? NotificationDetails(*d) : "");
}

std::vector<std::string> WaitingStatusLines(const SdiStore& store) {
    std::vector<std::string> lines;
    for (const NotificationRecord& n : store.unmatched)
        lines.push_back(n.invoiceFile + "\t\t\tnotifica non abbinata\t" + KindCode(n.kind) +
                        (n.moment.empty() ? "" : " " + n.moment) + "\t" +
                        UnmatchedReason(store, n));
    for (const KeptMessage& k : store.kept)
        lines.push_back(k.file + "\t\t\tmessaggio da rileggere\t\t" + k.origin + ": " + k.reason);
    return lines;
}

std::string DisplayMoment(const std::string& moment) {
    const std::string date = DatePart(moment);
    if (date.empty()) return moment;
    const bool timed = moment.size() >= 16 && (moment[10] == 'T' || moment[10] == ' ') &&
                       std::isdigit(static_cast<unsigned char>(moment[11])) &&
                       std::isdigit(static_cast<unsigned char>(moment[12])) && moment[13] == ':' &&
                       std::isdigit(static_cast<unsigned char>(moment[14])) &&
                       std::isdigit(static_cast<unsigned char>(moment[15]));
    return timed ? date + " " + moment.substr(11, 5) : date;
}

}  // namespace qorvana

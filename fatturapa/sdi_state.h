#pragma once
// What became of an e-invoice, from the store's sendings and notifications. Every notification
// belongs to one transmission: the sending of its file that the system numbered with its
// IdentificativoSdI (the first answer about a sending ties the number to it, by the Hash of the
// file received where the notification has one). Each transmission has the state its own
// notifications give; the e-invoice has the state of its latest transmission the system
// accepted, so that a second sending rejected as a duplicate does not undo a delivery.

#include <string>
#include <vector>

#include "fatturapa/sdi_store.h"

namespace qorvana {

enum class EInvoiceState {
    Written,        // the file is written, not sent
    Sent,           // sent, no answer yet
    Delivered,      // RC
    MadeAvailable,  // MC of a business or consumer e-invoice: final, in the customer's
                    // reserved area
    NotDelivered,   // MC of a public administration's: the system tries again
    Rejected,       // NS
    Accepted,       // NE EC01
    Refused,        // NE EC02
    TermsExpired,   // DT
    Attested,       // AT
};
inline constexpr EInvoiceState kAllStates[] = {
    EInvoiceState::Written,       EInvoiceState::Sent,         EInvoiceState::Delivered,
    EInvoiceState::MadeAvailable, EInvoiceState::NotDelivered, EInvoiceState::Rejected,
    EInvoiceState::Accepted,      EInvoiceState::Refused,      EInvoiceState::TermsExpired,
    EInvoiceState::Attested};

// "da inviare", "inviata", "consegnata", "messa a disposizione", "scartata" ...
std::string StateText(EInvoiceState state);
// The state of one transmission of the e-invoice, from its own notifications.
EInvoiceState TransmissionState(const EInvoiceEntry& entry, const SendingRecord& sending);
EInvoiceState StateOf(const EInvoiceEntry& entry);
// The state as listed: a rejected e-invoice sent again says with which file.
std::string StateLine(const EInvoiceEntry& entry);
// The notification that decided the state; nullptr before any.
const NotificationRecord* DecidingNotification(const EInvoiceEntry& entry);
// The notifications of one transmission, in the order recorded.
std::vector<const NotificationRecord*> NotificationsOf(const EInvoiceEntry& entry,
                                                       const SendingRecord& sending);
// The state a notification brings an e-invoice to, in words ("consegnata", "scartata" ...);
// `entry` is its e-invoice, nullptr when it has none.
std::string NotificationStateText(const EInvoiceEntry* entry, const SdiNotification& n);
// What a notification says beyond its kind: NS's errors ("00305 CodiceDestinatario non
// valido; 00311 ..."), NE's outcome and reason, MC's and DT's description.
std::string NotificationDetails(const SdiNotification& n);

enum class Recorded {
    New,
    Again,      // the same notification (IdentificativoSdI, kind, MessageId) is recorded
    Unmatched,  // no recorded sending of its file fits it: kept among the unmatched
};
// Records the notification against the transmission it belongs to.
Recorded RecordNotification(SdiStore& store, const SdiNotification& notification,
                            const std::string& notificationFile, const std::string& now);
// Why an unmatched notification matches no sending, in Italian.
std::string UnmatchedReason(const SdiStore& store, const SdiNotification& notification);
// Records a sending of a listed e-invoice, then ties to it the unmatched notifications that
// were waiting for it; how many were. The entry must be in the store.
int RecordSending(SdiStore& store, EInvoiceEntry& entry, const SendingRecord& sending);

// One line of `status`: file, number and date, customer, state, last notification, errors
// (tab-separated).
std::string StatusLine(const EInvoiceEntry& entry);
// The lines of `status` after the e-invoices: each unmatched notification, each kept message.
std::vector<std::string> WaitingStatusLines(const SdiStore& store);

// A time of the store or of a notification as the forms show it: "2026-12-07T10:05:00+01:00"
// and "2026-12-07 10:05:00" give "07/12/2026 10:05", "2026-12-07" gives "07/12/2026"; any
// other text as it is.
std::string DisplayMoment(const std::string& moment);

}  // namespace qorvana

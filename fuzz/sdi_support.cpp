#include "fuzz/sdi_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "fatturapa/mail_transport.h"
#include "fuzz/confirmation.h"

namespace qorvana::fuzz {

const NotificationSchemas& NotificationsSchemas() {
    static const std::unique_ptr<NotificationSchemas> schema = [] {
        auto loaded = NotificationSchemas::Load();
        if (!loaded) {
            std::fprintf(stderr, "%s\n", loaded.message().c_str());
            std::abort();
        }
        return std::move(*loaded);
    }();
    return *schema;
}

SdiStore SentStore() {
    SdiStore store;
    const auto sent = [&](const std::string& file, const EInvoiceFacts& facts) {
        store.add(file, "\\fatture\\" + file, facts)
            .sendings.push_back({"2026-12-06 10:00:00",
                                 file + ".p7m",
                                 "ditta@pec.example.it",
                                 "sdi01@pec.fatturapa.it",
                                 "<1@pec.example.it>",
                                 "00ff",
                                 {},
                                 {}});
    };
    sent(kSentInvoice, {"FPA12", "1", "15", "2026-12-05", "Comune di Roma", "IT02438750586"});
    sent("IT01234567890_00002.xml",
         {"FPR12", "2", "16", "2026-12-05", "Edilizia Bianchi S.p.A.", "IT09876543210"});
    store.add("IT01234567890_00003.xml", "\\fatture\\IT01234567890_00003.xml",
              {"FPR12", "3", "17", "2026-12-05", "Rossi Mario", "RSSMRA80A01L781K"});
    return store;
}

void UseStore(const SdiStore& store) {
    for (const EInvoiceEntry& e : store.entries) {
        StatusLine(e);
        StateLine(e);
        for (const NotificationRecord& n : e.notifications) {
            NotificationDetails(n);
            NotificationStateText(&e, n);
        }
        for (const SendingRecord& s : e.sendings) TransmissionState(e, s);
    }
    WaitingStatusLines(store);
    for (EInvoiceState state : kAllStates)
        for (const EInvoiceEntry& e : store.entries)
            if (StateOf(e) == state) StateText(state);

    const std::string text = FormatSdiStore(store);
    const Result<SdiStore> back = ParseSdiStore(text);
    if (!back) std::fprintf(stderr, "%s\n", back.message().c_str());
    Expect(back.ok(), "a store written reads back");
    Expect(FormatSdiStore(*back) == text, "a store read back is written the same");
}

void ApplyAndUse(SdiStore& store, const std::vector<NotificationSource>& sources) {
    std::vector<EInvoiceState> before;
    for (const EInvoiceEntry& e : store.entries) before.push_back(StateOf(e));
    ApplyNotifications(store, sources, NotificationsSchemas(), "2026-12-07 09:00:00");
    Expect(store.assignedAddress.empty() || IsMailAddress(store.assignedAddress),
           "the system's address taken from a message is a mail address");
    std::vector<std::string> named;  // the files the sources' notifications are about
    for (const NotificationSource& source : sources)
        if (const NotificationRead read = ReadNotification(source.bytes, NotificationsSchemas());
            read.notification)
            named.push_back(read.notification->invoiceFile);
    for (std::size_t i = 0; i < store.entries.size(); ++i) {
        const EInvoiceEntry& e = store.entries[i];
        const bool isNamed = std::any_of(named.begin(), named.end(), [&](const std::string& file) {
            return SameInvoiceFile(file, e.fileName);
        });
        Expect(isNamed || StateOf(e) == before[i],
               "a notification changes no state of an e-invoice it does not name");
        Expect(!e.sendings.empty() || StateOf(e) == EInvoiceState::Written,
               "an e-invoice never sent stays to be sent");
    }
    UseStore(store);
}

}  // namespace qorvana::fuzz

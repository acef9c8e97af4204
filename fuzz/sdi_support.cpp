#include "fuzz/sdi_support.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "fatturapa/mail_transport.h"
#include "fuzz/confirmation.h"

namespace qorvana::fuzz {

const NotificationSchema& NotificationsSchema() {
    static const std::unique_ptr<NotificationSchema> schema = [] {
        std::string error;
        auto loaded = NotificationSchema::Load(error);
        if (!loaded) {
            std::fprintf(stderr, "%s\n", error.c_str());
            std::abort();
        }
        return loaded;
    }();
    return *schema;
}

SdiStore SentStore() {
    SdiStore store;
    const auto sent = [&](const std::string& file, const EInvoiceFacts& facts) {
        store.add(file, "\\fatture\\" + file, facts)
            .sendings.push_back({"2026-12-06 10:00:00", file + ".p7m", "ditta@pec.example.it",
                                 "sdi01@pec.fatturapa.it", "<1@pec.example.it>", "00ff"});
    };
    sent(kSentInvoice, {"FPA12", "1", "15", "2026-12-05", "Comune di Roma", "IT02438750586"});
    sent("IT01234567890_00002.xml",
         {"FPR12", "2", "16", "2026-12-05", "Edilizia Bianchi S.p.A.", "IT09876543210"});
    return store;
}

void UseStore(const SdiStore& store) {
    for (const EInvoiceEntry& e : store.entries) {
        StatusLine(e);
        StateLine(e);
        for (const NotificationRecord& n : e.notifications) {
            NotificationDetails(n.kind, n.outcome, n.description, {});
            NotificationStateText(n);
        }
    }
    for (EInvoiceState state : kAllStates)
        for (const EInvoiceEntry& e : store.entries)
            if (StateOf(e) == state) StateText(state);

    const std::string text = FormatSdiStore(store);
    std::string problem;
    const std::optional<SdiStore> back = ParseSdiStore(text, problem);
    if (!back) std::fprintf(stderr, "%s\n", problem.c_str());
    Expect(back.has_value(), "a store written reads back");
    Expect(FormatSdiStore(*back) == text, "a store read back is written the same");
}

void ApplyAndUse(SdiStore& store, const std::vector<NotificationSource>& sources) {
    ApplyNotifications(store, sources, NotificationsSchema(), "2026-12-07 09:00:00");
    Expect(store.assignedAddress.empty() || IsMailAddress(store.assignedAddress),
           "the system's address taken from a message is a mail address");
    UseStore(store);
}

}  // namespace qorvana::fuzz

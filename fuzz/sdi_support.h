#pragma once
// What the harnesses of the e-invoice channel share: the notifications schema, a store of two
// sent e-invoices, and what the program does with a store it holds (the e-invoice window's
// lists and details, the status lines, the store written and read back).

#include <vector>

#include "fatturapa/sdi_channel.h"
#include "fatturapa/sdi_notification.h"
#include "fatturapa/sdi_state.h"
#include "fatturapa/sdi_store.h"

namespace qorvana::fuzz {

// The e-invoice the seeds' notifications are about.
inline constexpr const char* kSentInvoice = "IT01234567890_00001.xml";

// Both messages schemas, compiled once per process.
const NotificationSchemas& NotificationsSchemas();

// kSentInvoice sent to a public administration, a second e-invoice sent to a business, and a
// third listed and not sent.
SdiStore SentStore();

// Every e-invoice's status line, window details and state, each state's list; the store
// written must read back, and written again give the same text.
void UseStore(const SdiStore& store);

// The sources' notifications recorded in the store, as the tool and the window record them;
// then the store used. A notification never changes the state of an e-invoice it does not
// name, nor of one never sent.
void ApplyAndUse(SdiStore& store, const std::vector<NotificationSource>& sources);

}  // namespace qorvana::fuzz

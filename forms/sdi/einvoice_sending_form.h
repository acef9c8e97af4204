#pragma once
// The operator's side of the exchange-system channel: sending an e-invoice, writing a
// rejected one again from its stored document and sending it, reading the mailbox's notifications,
// and the e-invoice of a document just stored. Each tells the operator what happened; the store is
// changed under the company's posting lock, never while a message is shown.

#include <string>

class QWidget;

namespace qorvana {

struct Session;

// Sends the e-invoice of the document just stored (`fpaFile`, its suite path; listed with the
// document) at once, when the company's settings ask for it.
void SendEInvoiceAtOnce(QWidget* parent, Session& session, const std::string& fpaFile);
// Sends a listed e-invoice that was not sent yet; true when it went.
bool SendListedEInvoice(QWidget* parent, Session& session, const std::string& fileName);
// A rejected e-invoice written again from its stored document, with the customer's data as the
// operator corrected them, under the next progressive, then sent; refused after five days.
bool CorrectRejectedEInvoice(QWidget* parent, Session& session, const std::string& fileName);
// Reads the exchange system's notifications from the certified mailbox.
void ReadMailboxNotifications(QWidget* parent, Session& session);

}  // namespace qorvana

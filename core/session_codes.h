#pragma once
// The codes the forms hand each other through the session (returnAction, customerListMode)
// and the document draft (documentKind, fpaState), by name. The
// numbers are the suite's own: records and files store some of them.

namespace qorvana {

// What the body form does when it is shown again.
enum class ReturnAction {
    NewDocument = 0,
    BackToLines = 9,  // shown again, lines unchanged
    ImportDeliveryNotes = 11,
    ImportReceipts = 12,
    ImportQuote = 13,
    ImportInvoice = 14,
    Reprint = 90,
    Abandon = 98,
    Confirm = 99,
};

// The customer list as the start form sees it.
enum class CustomerListMode {
    Closed = 0,
    WaitingForChoice = 4,
    CustomerChosen = 99,
};

// The kind of the document being issued; stored in the document record.
enum class DocumentKind {
    Invoice = 0,
    CreditNote = 1,
    ElectronicInvoice = 7,
};

// fpaState: an ordinary document, an electronic invoice whose XML is not written yet, or
// (above 0) the transmission number of the XML written.
inline constexpr int kFpaOrdinary = -1;
inline constexpr int kFpaXmlNotWritten = 0;

}  // namespace qorvana

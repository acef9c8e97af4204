#pragma once
// The document being issued, as one typed value and its only home: its kind and e-invoice
// state, what each form contributes as the operator edits (customer, transport and e-invoice
// terms from the start form, lines and figures from the body form, the header's and the
// electronic-invoice panel's entries and the numbers proposed from the header form), the
// source chosen in a picker and the sources imported so far. The forms write their part into
// the draft and read the rest from it, never from another form; posting, the line file,
// printing, the XML export and the registration read the draft. Texts are kept as the
// operator typed them; list choices are positions from 0, -1 for no choice.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/civil_date.h"
#include "core/session_codes.h"
#include "core/text.h"
#include "customers/einvoice_customers.h"
#include "document/document_math.h"
#include "document/line_table.h"
#include "document/pension_fund.h"

namespace qorvana {

// The customer the document is issued to.
struct DraftCustomer {
    int record = 0;    // record number in qorvana.cli (currentCustomer)
    std::string name;  // name line 1, trimmed, as the start form shows it
    std::string town;  // the registered office's town, trimmed
};

// How the goods travel: the sender, the recipient or a carrier.
enum class Shipping { BySender = 0, ByRecipient = 1, ByCarrier = 2 };

// The start form's transport entries.
struct TransportEntries {
    std::string deliveryNote;          // "DDT" as typed (see DocumentDraft::deliveryNotes)
    std::string order;                 // "Ordine"
    std::string packages;              // "Numero colli"
    std::string weight;                // "Peso"
    std::string startDate;             // "Inizio trasporto", dd/mm/yyyy
    std::string startTime;             // "Ora"
    std::string warehouseDescription;  // "Descrizione magazzino"
    std::string reason;                // "Causale trasporto" as shown (it may be typed)
    int reasonPosition = -1;           // its position in the table's list
    std::string goodsAppearance;       // "Aspetto dei beni" as shown
    int goodsAppearancePosition = -1;
    Shipping shipping = Shipping::BySender;
    // The carrier lines as the start form shows them: the customer's, or the carriers'
    // table row the operator chose.
    std::array<std::string, 3> carrierLines{};
};

// The header's VAT options, one tick each.
struct VatOptions {
    bool spesometro = false;       // reported in the spesometro
    bool rentalOrLeasing = false;  // rental or leasing document
    bool vatNotShown = false;      // VAT not shown on the invoice
    bool selfInvoice = false;
    bool summaryDocument = false;
};

// The header form's entries.
struct HeaderEntries {
    std::string documentNumber;
    std::string vatRegisterNumber;
    std::string transmissionNumber;  // electronic invoices: progressive of the transmission
    std::string additionalAmount1;
    std::string additionalAmount2;
    std::string documentDate;      // dd/mm/yyyy
    std::string registrationDate;  // dd/mm/yyyy
    int paymentTerms = -1;         // entry of the payment-terms table
    std::string paymentTermsText;  // that entry's description, as the list shows it
    int bank1 = -1;                // entries of the 100-entry bank list
    int bank2 = -1;
    int bank3 = -1;
    int series = -1;                        // entry of the nine-entry series table ("Sezionale")
    std::array<std::string, 6> dueDates{};  // dd/mm/yyyy
    std::array<std::string, 6> instalmentAmounts{};  // as typed
    std::string commissionRate;
    std::string commissionAmount;
    bool bankReceipt = false;
    bool deferredVat = false;     // VAT due on payment
    bool separateSeries = false;  // the electronic-invoice series of its own
    VatOptions vatOptions;
    // What the header proposed, to tell a proposal kept from a number typed over it.
    std::string proposedNumber;       // in documentNumber and vatRegisterNumber; empty for none
    int proposedYear = 0;             // the year it was proposed in
    std::string proposedProgressive;  // in transmissionNumber
};

// A reference of the electronic invoice: to a delivery note, an order, a contract, a
// convention or a reception.
struct InvoiceReference {
    std::string date;  // dd/mm/yyyy
    std::string id;    // identifier or number
    std::string lineNumber;
    std::string jobCode;  // job or convention code
};

// The electronic-invoice panel's entries.
struct PanelEntries {
    std::string documentType;    // "TD01", "TD04", ... (empty when none chosen)
    int withholdingReason = -1;  // positions in the panel's lists
    int withholdingType = -1;
    int paymentCondition = -1;
    int paymentMode = -1;
    InvoiceReference deliveryNote;  // date and number only
    InvoiceReference purchaseOrder;
    InvoiceReference contract;
    InvoiceReference convention;
    InvoiceReference reception;
    std::string cup;
    std::string cig;
    int carrier = -1;      // row of the carriers' table, from 0
    int vehicleKind = -1;  // also the leasing vehicle of the VAT options
    bool art73 = false;
    InvoiceReference correctedInvoice;  // a credit note's invoice: number and date
};

// A delivery note taken into the document: its lines carry "**" + number as reference.
struct ImportedNote {
    int number = 0;
    std::string date;  // dd/mm/yyyy
};

// The source the operator chose in a picker, for the import that follows.
struct PickedSource {
    int quote = 0;                // record of the quote chosen; 0 for none
    std::string invoiceKey;       // the line file of the invoice chosen to copy, by its key
    std::string invoiceLineFile;  // and by its serial
};

// The source documents taken into this document; posting marks exactly these.
struct ImportedSources {
    std::vector<int> deliveryNotes;  // records of qorvana.bol fully imported
    std::vector<int> receipts;       // records of qorvana.ric fully imported
    std::optional<int> quote;        // record of the quote taken
    std::optional<int> invoice;      // record of the invoice copied
    InvoiceReference copiedInvoice;  // its number and date (dd/mm/yyyy)
    // Numbers of the delivery notes imported, separated by blanks: the document's "DDT"
    // after what the operator typed on the start form.
    std::string noteNumbers;
    std::vector<ImportedNote> notes;  // delivery notes imported, in order
};

// The e-invoice terms of the company (qorvana-fe.ini): whether it issues an e-invoice with
// every invoice and credit note, its stamp duty, account and pension fund, and the customer's
// e-invoice data (qorvana.fec).
struct EInvoiceTerms {
    bool everyCustomer = false;
    bool chargeStampDuty = false;  // the virtual stamp duty is charged to the customer
    // The exemption entry (1..12, VAT code entry + 12) whose slot takes the stamp duty charged:
    // the company's first of nature N1 (excluded from the base, art. 15); 0 when none.
    int stampDutyEntry = 0;
    // The exemption entries (1..12) whose amounts count towards the stamp duty, by their
    // nature or the company's setting for their code.
    std::array<bool, 13> stampDutyEntries{};
    std::string companyIban;  // the account a transfer is paid into; empty when none
    PensionFund fund;         // the company's pension fund, whose line the program keeps
    EInvoiceCustomer customer;
};

struct DocumentDraft {
    DocumentKind kind = DocumentKind::Invoice;
    // kFpaOrdinary, kFpaXmlNotWritten, or the transmission number of the XML file written.
    int fpaState = kFpaOrdinary;
    bool fpaPanelOpened = false;  // the electronic-invoice panel was opened for this document
    CivilDateTime issueMoment{};  // date and time of issue, taken when it is confirmed
    DraftCustomer customer;
    TransportEntries transport;
    LineTable lines;
    DocumentFigures figures;
    bool vatInclusive = false;  // prices include VAT
    HeaderEntries header;
    PanelEntries panel;
    PickedSource picked;
    ImportedSources imports;
    EInvoiceTerms einvoice;
    std::string fpaFile;  // the FatturaPA file written for this document, as the suite names it

    // A new document of `kind` to `who`, with the transport typed on the start form and the
    // e-invoice terms of the company and the customer; an electronic one when `electronic`.
    void begin(DocumentKind documentKind, bool electronic, const DraftCustomer& who,
               const TransportEntries& entries, const EInvoiceTerms& terms) {
        *this = DocumentDraft{};
        kind = documentKind;
        fpaState = electronic ? kFpaXmlNotWritten : kFpaOrdinary;
        customer = who;
        transport = entries;
        einvoice = terms;
    }
    // An electronic invoice: its XML file is to be written, or was written.
    bool electronic() const { return fpaState != kFpaOrdinary; }
    // True while the document number is the one proposed (the operator did not type another)
    // and no XML file holds it: posting may take the next free one instead.
    bool numberProposed() const {
        return !header.proposedNumber.empty() && header.documentNumber == header.proposedNumber &&
               fpaState <= kFpaXmlNotWritten;
    }
    // The document's "DDT": what the operator typed on the start form, then the numbers of the
    // delivery notes imported.
    std::string deliveryNotes() const {
        return JoinNumbers(Trim(transport.deliveryNote), imports.noteNumbers);
    }
    // Two lists of numbers separated by blanks, joined by a blank.
    static std::string JoinNumbers(const std::string& first, const std::string& second) {
        return first.empty() || second.empty() ? first + second : first + " " + second;
    }
};

}  // namespace qorvana

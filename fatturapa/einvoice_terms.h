#pragma once
// E-invoices to every customer. A company that turns on "tutti_i_clienti" in qorvana-fe.ini
// (its company folder) issues the FatturaPA 1.2.3 file of every invoice and credit note, not
// only of those to public administrations: to businesses by their recipient code or
// certified mail, to consumers by their tax code, to foreign customers by "XXXXXXX". The
// customer's data the record lacks are in qorvana.fec (customers/einvoice_customers.h).

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "customers/customer_record.h"
#include "document/document_draft.h"

namespace qorvana {

struct Session;

// qorvana-fe.ini: "key=value" lines (core/key_value_file.h).
//   tutti_i_clienti=si             an e-invoice with every invoice and credit note
//   bollo_a_carico_del_cliente=si  the virtual stamp duty is added to what the customer pays
// A missing file leaves both off.
inline constexpr const char* kEInvoiceSettingsFile = "qorvana-fe.ini";

struct EInvoiceTermsRead {
    EInvoiceTerms terms;
    std::string problem;  // Italian, naming the file; the terms are then those of no file
    // With the setting on: what the customer's e-invoice needs and its data lack.
    std::vector<std::string> missing;
};

// The company's setting alone (terms without customer data).
EInvoiceTermsRead ReadEInvoiceSettings(const Session& session);
// The company's setting and the data of customer `customer` (record number), with what they
// lack for the e-invoice.
EInvoiceTermsRead ReadEInvoiceTerms(const Session& session, int customer);
// The e-invoice data of customer `customer`, as qorvana.fec holds it (empty when none).
struct EInvoiceCustomerRead {
    EInvoiceCustomer data;
    std::string problem;
};
EInvoiceCustomerRead ReadEInvoiceCustomer(const Session& session, int customer);
// Stores `data` as customer `customer`'s, the rest of qorvana.fec kept; the message of a
// failure (a damaged file is not written over).
std::optional<std::string> SaveEInvoiceCustomer(const Session& session, int customer,
                                                const EInvoiceCustomer& data);

enum class RecipientKind {
    PublicAdministration,  // FPA12, the 6-character office code
    Business,              // FPR12, a 7-character code, or "0000000" without PEC
    CertifiedMail,         // "0000000" and PECDestinatario
    Consumer,              // "0000000", no VAT number: the tax code identifies
    Foreign,               // "XXXXXXX"
};

struct Recipient {
    RecipientKind kind = RecipientKind::Business;
    std::string code;  // CodiceDestinatario
    std::string pec;   // PECDestinatario, CertifiedMail only
};

// The customer's country is not Italy (the two letters beside the VAT number).
bool IsForeignCustomer(const CustomerRecord& customer);
// Where the exchange system delivers the customer's e-invoice. The 7-character code is the
// one in qorvana.fec, else the one the customer record carries at offsets 515 to 521.
Recipient RecipientOf(const CustomerRecord& customer, const EInvoiceCustomer& data);

// What the customer's e-invoice needs and the customer's data lack, one Italian line each;
// empty when nothing.
std::vector<std::string> MissingEInvoiceData(const CustomerRecord& customer,
                                             const EInvoiceCustomer& data);

}  // namespace qorvana

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
#include "fatturapa/fpa_tables.h"

namespace qorvana {

struct Session;

// qorvana-fe.ini: "key=value" lines (core/key_value_file.h).
//   tutti_i_clienti=si             an e-invoice with every invoice and credit note
//   bollo_a_carico_del_cliente=si  the virtual stamp duty is charged to the customer
// A missing file leaves both off.
inline constexpr const char* kEInvoiceSettingsFile = "qorvana-fe.ini";

// The company's setting, held with its other settings (CompanySettings::einvoice).
struct EInvoiceSettings {
    bool everyCustomer = false;
    bool chargeStampDuty = false;
};
struct EInvoiceSettingsRead {
    EInvoiceSettings settings;
    std::string problem;  // Italian, naming the file; the settings are then those of no file
};
// Reads qorvana-fe.ini; the company's settings call it when they load.
EInvoiceSettingsRead LoadEInvoiceSettings(const Session& session);

struct EInvoiceTermsRead {
    EInvoiceTerms terms;
    std::string problem;  // Italian, naming the file of the customers' data
    // With the setting on: what the customer's e-invoice needs and its data lack.
    std::vector<std::string> missing;
};

// The company's `settings` and the data of customer `customer` (record number), with what
// they lack for the e-invoice; the stamp duty's exemption entry from the company's `tables`.
EInvoiceTermsRead ReadEInvoiceTerms(const Session& session, const EInvoiceSettings& settings,
                                    const HeaderTables& tables, int customer);
// The exemption entry (1..12) that takes a stamp duty charged to the customer: the first the
// table describes with nature N1 (excluded from the base, art. 15); 0 when none.
int StampDutyEntry(const HeaderTables& tables);
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

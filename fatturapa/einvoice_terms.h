#pragma once
// E-invoices to every customer. A company that turns on "tutti_i_clienti" in qorvana-fe.ini
// (its company folder) issues the FatturaPA 1.2.3 file of every invoice and credit note, not
// only of those to public administrations: to businesses by their recipient code or
// certified mail, to consumers by their tax code, to foreign customers by "XXXXXXX". The
// customer's data the record lacks are in qorvana.fec (customers/einvoice_customers.h).

#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"
#include "customers/customer_record.h"
#include "document/document_draft.h"
#include "fatturapa/fpa_tables.h"

namespace qorvana {

struct Session;

// qorvana-fe.ini: "key=value" lines (core/key_value_file.h).
//   tutti_i_clienti=si             an e-invoice with every invoice and credit note
//   bollo_a_carico_del_cliente=si  the virtual stamp duty is charged to the customer
//   iban=IT60X0542811101000000123456
//                                  the company's account, into which a transfer is paid
//   bollo_codice_iva_NN=si|no      the amounts of VAT code NN (13 to 24) bear the stamp duty,
//                                  or do not, whatever the nature of its exemption says
//   cassa_tipo=TC04                the company's pension fund (TC01 to TC22), with
//   cassa_aliquota=4               its contribution's rate, percent, and
//   cassa_codice_iva=1             the VAT code (1 to 24) of the contribution's line
// A missing file leaves them all off. The program reads only the keys it knows, so that the
// file can carry more.
inline constexpr const char* kEInvoiceSettingsFile = "qorvana-fe.ini";

// The company's setting, held with its other settings (CompanySettings::einvoice).
struct EInvoiceSettings {
    bool everyCustomer = false;
    bool chargeStampDuty = false;
    std::string iban;                        // upper case, without blanks; empty when none
    std::map<int, bool> stampDutyByVatCode;  // VAT code (13..24): bears the stamp duty
    PensionFund fund;                        // its base codes are the terms' (FundBaseCodes)
};
// Reads qorvana-fe.ini; the company's settings call it when they load. A file that cannot be
// read or holds a wrong value fails, in Italian naming the file, and carries the settings all
// the same: a value of tutti_i_clienti or bollo_a_carico_del_cliente other than si and no
// leaves the settings of no file; any other wrong value is left out alone.
Result<EInvoiceSettings> LoadEInvoiceSettings(const Session& session);

struct CustomerEInvoiceTerms {
    EInvoiceTerms terms;
    // With the setting on: what the customer's e-invoice needs and its data lack.
    std::vector<std::string> missing;
};

// The company's `settings` and the data of customer `customer` (record number), with what
// they lack for the e-invoice; the stamp duty's exemption entry from the company's `tables`.
// The company's account and the stamp duty's entries are taken whether or not the company
// issues e-invoices to every customer. Customers' data that cannot be read fail, in Italian
// naming the file, carrying the terms without them.
Result<CustomerEInvoiceTerms> ReadEInvoiceTerms(const Session& session,
                                                const EInvoiceSettings& settings,
                                                const HeaderTables& tables, int customer);
// The company's part of the terms: everything but the customer's data.
EInvoiceTerms CompanyEInvoiceTerms(const EInvoiceSettings& settings, const HeaderTables& tables);
// The exemption entry (1..12) that takes a stamp duty charged to the customer: the first the
// table describes with nature N1 (excluded from the base, art. 15); 0 when none.
int StampDutyEntry(const HeaderTables& tables);
// The exemption entries (1..12, VAT codes 13..24) whose amounts bear the stamp duty: as the
// company's settings say for the code, else by the nature of the entry (einvoice_natures.h).
// An entry whose digits name no nature bears it.
std::array<bool, 13> StampDutyEntries(const HeaderTables& tables, const EInvoiceSettings& settings);
// The VAT codes (1..24) whose lines are fees a pension fund's contribution is computed on: all
// but the exemption codes of nature N1 (excluded from the base, art. 15 DPR 633/72).
std::array<bool, 25> FundBaseCodes(const HeaderTables& tables);
// The e-invoice data of customer `customer`, as qorvana.fec holds it (empty when none); a
// failure when the file cannot be read.
Result<EInvoiceCustomer> ReadEInvoiceCustomer(const Session& session, int customer);
// Stores `data` as customer `customer`'s, the rest of qorvana.fec kept; the message of a
// failure (a damaged file is not written over).
Status SaveEInvoiceCustomer(const Session& session, int customer, const EInvoiceCustomer& data);

enum class RecipientKind {
    PublicAdministration,  // FPA12, the 6-character office code
    Business,              // FPR12, a 7-character code, or "0000000" without PEC
    CertifiedMail,         // "0000000" and PECDestinatario
    Consumer,              // "0000000", no VAT number: the tax code identifies
    Foreign,               // "XXXXXXX", San Marino "2R4GTO8"
};

// The code of every customer in San Marino: its tax office, which passes the e-invoices on
// (compulsory for goods since 1 July 2022, D.M. 21/06/2021).
inline constexpr const char* kSanMarinoRecipientCode = "2R4GTO8";

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
// A 6-character code (a public administration's office code) given for a customer its card
// does not mark as a public administration, which the e-invoice cannot use: what to tell, in
// Italian; empty when none.
std::string OfficeCodeWarning(const CustomerRecord& customer, const EInvoiceCustomer& data);

// How an e-invoice names its customer: Denominazione, or Nome and Cognome.
struct CustomerNaming {
    std::string denomination;
    std::string firstName;
    std::string surname;
};
// An Italian customer without VAT number whose tax code is a person's (16 characters).
bool IsPrivatePerson(const CustomerRecord& customer);
// Both name lines of the card, joined by a blank (without it when both fill their 40
// characters, so that the name keeps within the 80 of Denominazione).
std::string LegalName(const CustomerRecord& customer);
// Nome and Cognome when the customer's e-invoice data give them; for a private person, the
// card's two name lines when the tax code tells which is the surname; otherwise the legal
// name as Denominazione. Without e-invoice data (`data` null) always the legal name; nullopt
// for a private person the card cannot name.
std::optional<CustomerNaming> CustomerNamingOf(const CustomerRecord& customer,
                                               const EInvoiceCustomer* data);

// What the customer's e-invoice needs and the customer's data lack, one Italian line each;
// empty when nothing.
std::vector<std::string> MissingEInvoiceData(const CustomerRecord& customer,
                                             const EInvoiceCustomer& data);

}  // namespace qorvana

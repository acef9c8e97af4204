#pragma once
// The customers' e-invoice data that the suite's customer record has no room for: the
// recipient code, the certified mail address (PEC), split payment, a foreign customer's tax
// identifier, and a private person's first name and surname. A file of this program's own,
// qorvana.fec in the company folder, keyed by customer record number, so that the customer record
// keeps the layout the suite's other programs write.
//
// The file: Windows-1252, CRLF lines, fields separated by tabs. The first line is
// "QORVANA-FEC<TAB>" + version; then one line per customer, with the fields of its version:
//   1: customer number, recipient code, PEC address, split payment ("1" or "0"),
//      foreign tax identifier;
//   2: the same, then first name and surname;
//   3: the same, then the declaration of intent's protocol and its receipt's date.
// A later version adds its fields after these. Files of every version are read; the file is
// written in the latest. A file that does not read so is refused as damaged, naming the line,
// and never written over.

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "core/result.h"

namespace qorvana {

inline constexpr const char* kEInvoiceCustomersFile = "qorvana.fec";

struct EInvoiceCustomer {
    std::string recipientCode;  // 6 characters (public administration) or 7; empty: none
    std::string pec;            // certified mail address; empty: none
    bool splitPayment = false;  // a public administration subject to split payment
    std::string foreignTaxId;   // a foreign customer's tax identifier, without country
    std::string firstName{};    // Nome and Cognome of a person: both, or neither
    std::string surname{};
    // The customer's declaration of intent (a habitual exporter buying without VAT, N3.5): the
    // protocol of the Agenzia's receipt ("08060120341234567-000001") and its date, dd/mm/yyyy.
    std::string intentProtocol{};
    std::string intentDate{};
    bool empty() const {
        return recipientCode.empty() && pec.empty() && !splitPayment && foreignTaxId.empty() &&
               firstName.empty() && surname.empty() && intentProtocol.empty() && intentDate.empty();
    }
};

using EInvoiceCustomers = std::map<int, EInvoiceCustomer>;

// A missing file reads as no customer data. A damaged or unreadable one fails, in Italian,
// naming the file.
Result<EInvoiceCustomers> ReadEInvoiceCustomers(const std::filesystem::path& file,
                                                const std::string& suiteName);
// The file's whole text for `customers`.
std::string EInvoiceCustomersText(const EInvoiceCustomers& customers);
// Writes the file whole (temporary file, flushed, renamed); the message of a failure.
Status WriteEInvoiceCustomers(const std::filesystem::path& file, const std::string& suiteName,
                              const EInvoiceCustomers& customers);

// What is wrong with data typed for a customer, in Italian; empty when nothing. Codes and
// identifiers are upper-cased and blanks trimmed first.
std::string NormaliseEInvoiceCustomer(EInvoiceCustomer& data);

}  // namespace qorvana

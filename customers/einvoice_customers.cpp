#include "customers/einvoice_customers.h"

#include <vector>

#include "core/civil_date.h"
#include "core/cp1252.h"
#include "core/data_file_types.h"
#include "core/text.h"
#include "core/whole_file.h"

namespace qorvana {
namespace {

constexpr std::string_view kMarker = "QORVANA-FEC\t";
// The fields of a customer's line in each version of the file, from version 1.
constexpr std::size_t kFieldsOfVersion[] = {5, 7, 9};
constexpr int kLatestVersion = 3;

bool Alnum(const std::string& v) {
    for (char c : v)
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    return true;
}

std::string Upper(std::string v) {
    for (char& c : v)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return v;
}

// The protocol of the Agenzia's receipt of a declaration of intent: 17 digits, then "-" or
// "/" and the 6 digits of the declaration's progressive.
bool IntentProtocolShape(const std::string& p) {
    const auto digits = [&](std::size_t from, std::size_t n) {
        return p.find_first_not_of("0123456789", from) >= from + n;
    };
    return p.size() == 24 && digits(0, 17) && (p[17] == '-' || p[17] == '/') && digits(18, 6);
}

std::string NormaliseIntent(EInvoiceCustomer& d) {
    d.intentProtocol = TabFieldText(d.intentProtocol);
    d.intentDate = TabFieldText(d.intentDate);
    if (d.intentProtocol.empty() != d.intentDate.empty())
        return "Indicare sia il protocollo della dichiarazione d'intento sia la data della sua "
               "ricevuta, o nessuno dei due.";
    if (!d.intentProtocol.empty() && !IntentProtocolShape(d.intentProtocol))
        return "Il protocollo della dichiarazione d'intento \"" + d.intentProtocol +
               "\" non è valido: 17 cifre, un trattino e le 6 cifre del progressivo "
               "(08060120341234567-000001).";
    if (!d.intentDate.empty() && !CivilDate::Parse(d.intentDate))
        return "La data della ricevuta della dichiarazione d'intento \"" + d.intentDate +
               "\" non è valida: gg/mm/aaaa.";
    return {};
}

}  // namespace

Result<EInvoiceCustomers> ReadEInvoiceCustomers(const std::filesystem::path& file,
                                                const std::string& suiteName) {
    const FileRead read = ReadWholeFile(file);
    if (read.missing) return EInvoiceCustomers{};
    if (!read.ok()) return Failure{ReadFailureMessage(suiteName, read.error)};
    const auto damaged = [&](std::size_t line) -> Result<EInvoiceCustomers> {
        return Failure{"Il file " + suiteName +
                       " (dati per la fattura elettronica dei "
                       "clienti) è danneggiato alla riga " +
                       std::to_string(line)};
    };
    // The version on the first line tells how many fields a customer's line holds.
    TabFileLines lines;
    int version = kLatestVersion;
    for (; version >= 1; --version) {
        lines = SplitTabFile(read.bytes, std::string(kMarker) + std::to_string(version));
        if (lines.damagedLine == 0) break;
    }
    if (version < 1) return damaged(1);
    const std::size_t fields = kFieldsOfVersion[version - 1];
    EInvoiceCustomers customers;
    for (std::size_t i = 0; i < lines.rows.size(); ++i) {
        std::vector<std::string> f = lines.rows[i];
        if (f.size() != fields || f[0].empty() || f[0].size() > 5 ||
            f[0].find_first_not_of("0123456789") != std::string::npos ||
            (f[3] != "0" && f[3] != "1"))
            return damaged(i + 2);
        const int customer = std::stoi(f[0]);
        if (customer < 1 || customer > kMaxCountedRecords || customers.count(customer))
            return damaged(i + 2);
        f.resize(kFieldsOfVersion[kLatestVersion - 1]);
        customers[customer] = {f[1], f[2], f[3] == "1", f[4], f[5], f[6], f[7], f[8]};
    }
    return customers;
}

std::string EInvoiceCustomersText(const EInvoiceCustomers& customers) {
    std::string text = std::string(kMarker) + std::to_string(kLatestVersion) + "\r\n";
    for (const auto& [number, c] : customers) {
        if (c.empty()) continue;
        text += std::to_string(number) + "\t" + TabFieldText(c.recipientCode) + "\t" +
                TabFieldText(c.pec) + "\t" + (c.splitPayment ? "1" : "0") + "\t" +
                TabFieldText(c.foreignTaxId) + "\t" + TabFieldText(c.firstName) + "\t" +
                TabFieldText(c.surname) + "\t" + TabFieldText(c.intentProtocol) + "\t" +
                TabFieldText(c.intentDate) + "\r\n";
    }
    return Utf8ToCp1252(text);
}

Status WriteEInvoiceCustomers(const std::filesystem::path& file, const std::string& suiteName,
                              const EInvoiceCustomers& customers) {
    return WriteFileDurably(file, suiteName, EInvoiceCustomersText(customers));
}

std::string NormaliseEInvoiceCustomer(EInvoiceCustomer& d) {
    d.recipientCode = Upper(TabFieldText(d.recipientCode));
    d.pec = TabFieldText(d.pec);
    d.foreignTaxId = Upper(TabFieldText(d.foreignTaxId));
    const std::size_t length = d.recipientCode.size();
    if (!d.recipientCode.empty() && (!(length == 6 || length == 7) || !Alnum(d.recipientCode)))
        return "Il codice destinatario \"" + d.recipientCode +
               "\" non è valido: 6 lettere o cifre per una pubblica amministrazione, 7 per "
               "un'impresa.";
    const auto at = d.pec.find('@');
    if (!d.pec.empty() &&
        (at == std::string::npos || at == 0 || d.pec.find('.', at) == std::string::npos ||
         d.pec.back() == '.' || d.pec.find(' ') != std::string::npos || d.pec.size() > 256))
        return "L'indirizzo PEC \"" + d.pec + "\" non è valido.";
    if (d.foreignTaxId.size() > 28 || !Alnum(d.foreignTaxId))
        return "L'identificativo fiscale estero \"" + d.foreignTaxId +
               "\" non è valido: al massimo 28 lettere o cifre, senza il codice del paese.";
    d.firstName = TabFieldText(d.firstName);
    d.surname = TabFieldText(d.surname);
    if (d.firstName.empty() != d.surname.empty())
        return "Indicare sia il nome sia il cognome del cliente, o nessuno dei due.";
    if (Utf8Length(d.firstName) > 60 || Utf8Length(d.surname) > 60)
        return "Il nome e il cognome hanno al massimo 60 caratteri ciascuno.";
    return NormaliseIntent(d);
}

}  // namespace qorvana

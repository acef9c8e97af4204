#include "customers/einvoice_customers.h"

#include <vector>

#include "core/cp1252.h"
#include "core/text.h"
#include "core/whole_file.h"

namespace qorvana {
namespace {

constexpr const char* kFirstLine = "QORVANA-FEC\t1";

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

}  // namespace

EInvoiceCustomersRead ReadEInvoiceCustomers(const std::filesystem::path& file,
                                            const std::string& suiteName) {
    const FileRead read = ReadWholeFile(file);
    if (read.missing) return {EInvoiceCustomers{}, {}};
    if (!read.ok()) return {std::nullopt, ReadFailureMessage(suiteName, read.error)};
    const auto damaged = [&](std::size_t line) {
        return EInvoiceCustomersRead{std::nullopt, "Il file " + suiteName +
                                                       " (dati per la fattura elettronica dei "
                                                       "clienti) è danneggiato alla riga " +
                                                       std::to_string(line)};
    };
    const TabFileLines lines = SplitTabFile(read.bytes, kFirstLine);
    if (lines.damagedLine != 0) return damaged(lines.damagedLine);
    EInvoiceCustomers customers;
    for (std::size_t i = 0; i < lines.rows.size(); ++i) {
        const std::vector<std::string>& f = lines.rows[i];
        if (f.size() != 5 || f[0].empty() || f[0].size() > 5 ||
            f[0].find_first_not_of("0123456789") != std::string::npos ||
            (f[3] != "0" && f[3] != "1"))
            return damaged(i + 2);
        const int customer = std::stoi(f[0]);
        if (customer < 1 || customer > 32767 || customers.count(customer)) return damaged(i + 2);
        customers[customer] = {f[1], f[2], f[3] == "1", f[4]};
    }
    return {std::move(customers), {}};
}

std::string EInvoiceCustomersText(const EInvoiceCustomers& customers) {
    std::string text = std::string(kFirstLine) + "\r\n";
    for (const auto& [number, c] : customers) {
        if (c.empty()) continue;
        text += std::to_string(number) + "\t" + TabFieldText(c.recipientCode) + "\t" +
                TabFieldText(c.pec) + "\t" + (c.splitPayment ? "1" : "0") + "\t" +
                TabFieldText(c.foreignTaxId) + "\r\n";
    }
    return Utf8ToCp1252(text);
}

std::optional<std::string> WriteEInvoiceCustomers(const std::filesystem::path& file,
                                                  const std::string& suiteName,
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
    return {};
}

}  // namespace qorvana

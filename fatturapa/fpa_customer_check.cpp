#include "fatturapa/fpa_customer_check.h"

#include "core/text.h"
#include "fatturapa/fpa_writer_v10.h"
#include "fatturapa/tax_ids.h"

namespace qorvana {

std::vector<std::string> CustomerIdentityFaults(const CustomerRecord& customer) {
    std::vector<std::string> faults;
    // As the writers write them: IdPaese from the VAT prefix, IdCodice and CodiceFiscale. A
    // foreign VAT number follows its own country's rules.
    const std::string vatNumber = Trim(customer.text(cli::kVatNumber));
    const std::string taxCode = Trim(customer.text(cli::kTaxCode));
    if (!vatNumber.empty() && CustomerCountry(customer) == "IT")
        if (const std::string fault = VatNumberFault(vatNumber); !fault.empty())
            faults.push_back("la partita IVA \"" + vatNumber + "\" " + fault + " (00305)");
    if (!taxCode.empty())
        if (const std::string fault = TaxCodeFault(taxCode); !fault.empty())
            faults.push_back("il codice fiscale \"" + taxCode + "\" " + fault +
                             (vatNumber.empty() ? " (00306)" : " (00324)"));
    return faults;
}

std::string CustomerIdentityWarning(const CustomerRecord& customer) {
    const std::vector<std::string> faults = CustomerIdentityFaults(customer);
    if (faults.empty()) return {};
    std::string message = "Nella scheda del cliente:";
    for (const std::string& fault : faults) message += "\n- " + fault;
    return message +
           "\nIl Sistema di Interscambio scarterà le sue fatture elettroniche finché la scheda "
           "non sarà corretta.";
}

}  // namespace qorvana

#pragma once
// What an e-invoice file says about itself, read from its XML (FatturaPA 1.0 to 1.2.3, for
// any customer): enough to list it, to decide on its signature and to send it again.

#include <optional>
#include <string>
#include <string_view>

#include "core/result.h"

namespace qorvana {

struct EInvoiceFacts {
    std::string format;       // FormatoTrasmissione: FPA12, FPR12, SDI10, SDI11
    std::string progressive;  // ProgressivoInvio
    std::string number;       // Numero of the first document
    std::string date;         // Data of the first document, yyyy-mm-dd
    std::string customer;     // the customer's Denominazione, or Nome and Cognome
    std::string customerId;   // the customer's VAT number (country and code), else tax code
    // For a public administration (FPA12, or the 1.x formats): the file must be signed.
    bool publicAdministration() const {
        return format == "FPA12" || format == "SDI10" || format == "SDI11";
    }
};

// The facts of an e-invoice's XML text; a failure says why it is not an e-invoice.
Result<EInvoiceFacts> ReadEInvoiceFacts(std::string_view xml);

// The same text with ProgressivoInvio set to `progressive`; nullopt when the element is not
// there exactly once. Nothing else of the file changes.
std::optional<std::string> WithProgressive(std::string_view xml, std::string_view progressive);

}  // namespace qorvana

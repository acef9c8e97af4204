#pragma once
// Italian identifiers of the demo data, with the check digits the exchange system's checks
// (fatturapa/tax_ids.h) expect, and bar codes.

#include <string>
#include <string_view>

namespace qorvana::demo {

// The 11-digit VAT number (partita IVA) of the first 10 digits.
std::string VatNumber(std::string_view tenDigits);
// The 16-character tax code (codice fiscale) of a person.
std::string PersonTaxCode(std::string_view surname, std::string_view firstName, int year, int month,
                          int day, bool female, std::string_view townCode);
// The 13-digit EAN bar code of the first 12 digits.
std::string Ean13(std::string_view twelveDigits);

}  // namespace qorvana::demo

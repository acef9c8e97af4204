#pragma once
// Check digits of the Italian identifiers the demo data carries, so that the demo company's
// VAT numbers, tax codes and bar codes pass the usual format checks.

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

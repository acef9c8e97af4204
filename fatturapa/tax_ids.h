#pragma once
// Italian tax identifiers: the VAT number (partita IVA, 11 digits) and the tax code (codice
// fiscale: 16 characters for a person, 11 digits for a company or body). Their check digits
// prove a typing mistake, never that the number is registered.

#include <string>
#include <string_view>

namespace qorvana {

// The check digit of an 11-digit VAT number or tax code from its first 10 digits.
char VatCheckDigit(std::string_view tenDigits);
// The check letter of a 16-character tax code from its first 15 characters, as written
// (letters of omocodia included).
char TaxCodeCheckLetter(std::string_view fifteen);

// Why `code` cannot be an Italian VAT number, in Italian ("ha la cifra di controllo
// errata"); empty when it can.
std::string VatNumberFault(std::string_view code);
// Why `code` cannot be an Italian tax code of 16 characters or of 11 digits; empty when it can.
std::string TaxCodeFault(std::string_view code);

}  // namespace qorvana

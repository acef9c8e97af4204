#pragma once
// Italian tax identifiers: the VAT number (partita IVA, 11 digits) and the tax code (codice
// fiscale: 16 characters for a person, 11 digits for a company or body). Their check digits
// prove a typing mistake, never that the number is registered. The same holds for the IBAN
// of a bank account.

#include <string>
#include <string_view>

namespace qorvana {

// The check digit of an 11-digit VAT number or tax code from its first 10 digits.
char VatCheckDigit(std::string_view tenDigits);
// The check letter of a 16-character tax code from its first 15 characters, as written
// (letters of omocodia included).
char TaxCodeCheckLetter(std::string_view fifteen);

// The letters of a person's tax code that come from the surname (positions 1 to 3) and from
// the first name (4 to 6), from the names as written ("Nicolò", "D'Angelo").
std::string TaxCodeSurnameLetters(std::string_view surname);
std::string TaxCodeFirstNameLetters(std::string_view firstName);

// Why `code` cannot be an Italian VAT number, in Italian ("ha la cifra di controllo
// errata"); empty when it can.
std::string VatNumberFault(std::string_view code);
// Why `code` cannot be an Italian tax code of 16 characters or of 11 digits; empty when it can.
std::string TaxCodeFault(std::string_view code);

// Why `iban` (upper case, no blanks) cannot be an IBAN: two letters of the country, two check
// digits, 11 to 30 letters or digits, the check digits proven (ISO 13616); empty when it can.
std::string IbanFault(std::string_view iban);

}  // namespace qorvana

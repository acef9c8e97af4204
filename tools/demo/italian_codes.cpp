#include "tools/demo/italian_codes.h"

#include <cstdio>

#include "fatturapa/tax_ids.h"

namespace qorvana::demo {

std::string VatNumber(std::string_view tenDigits) {
    return std::string(tenDigits) + VatCheckDigit(tenDigits);
}

std::string PersonTaxCode(std::string_view surname, std::string_view firstName, int year, int month,
                          int day, bool female, std::string_view townCode) {
    static constexpr std::string_view kMonths = "ABCDEHLMPRST";
    char birth[8];
    std::snprintf(birth, sizeof birth, "%02d%c%02d", year % 100,
                  kMonths[static_cast<std::size_t>(month - 1)], day + (female ? 40 : 0));
    std::string code = TaxCodeSurnameLetters(surname) + TaxCodeFirstNameLetters(firstName) + birth;
    code += townCode;
    return code + TaxCodeCheckLetter(code);
}

std::string Ean13(std::string_view twelveDigits) {
    int sum = 0;
    for (std::size_t i = 0; i < twelveDigits.size(); ++i)
        sum += (twelveDigits[i] - '0') * (i % 2 == 0 ? 1 : 3);
    return std::string(twelveDigits) + static_cast<char>('0' + (10 - sum % 10) % 10);
}

}  // namespace qorvana::demo

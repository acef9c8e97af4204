#include "tools/demo/italian_codes.h"

#include <cstdio>

#include "fatturapa/tax_ids.h"

namespace qorvana::demo {
namespace {

bool IsVowel(char c) {
    return c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U';
}

std::string Letters(std::string_view text, bool vowels) {
    std::string out;
    for (char c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c < 'A' || c > 'Z') continue;
        if (IsVowel(c) == vowels) out += c;
    }
    return out;
}

std::string SurnamePart(std::string_view surname) {
    return (Letters(surname, false) + Letters(surname, true) + "XXX").substr(0, 3);
}

std::string FirstNamePart(std::string_view name) {
    const std::string consonants = Letters(name, false);
    if (consonants.size() >= 4) return {consonants[0], consonants[2], consonants[3]};
    return (consonants + Letters(name, true) + "XXX").substr(0, 3);
}

}  // namespace

std::string VatNumber(std::string_view tenDigits) {
    return std::string(tenDigits) + VatCheckDigit(tenDigits);
}

std::string PersonTaxCode(std::string_view surname, std::string_view firstName, int year, int month,
                          int day, bool female, std::string_view townCode) {
    static constexpr std::string_view kMonths = "ABCDEHLMPRST";
    char birth[8];
    std::snprintf(birth, sizeof birth, "%02d%c%02d", year % 100,
                  kMonths[static_cast<std::size_t>(month - 1)], day + (female ? 40 : 0));
    std::string code = SurnamePart(surname) + FirstNamePart(firstName) + birth;
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

#include "fatturapa/tax_ids.h"

#include <algorithm>
#include <array>

namespace qorvana {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
    return c >= 'A' && c <= 'Z';
}

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), IsDigit);
}

// A digit of the birth date and town of a tax code, or the letter that replaces it when two
// people would otherwise share a code (omocodia: L M N P Q R S T U V for 0 to 9).
bool IsDigitOrOmocodia(char c) {
    return IsDigit(c) || std::string_view("LMNPQRSTUV").find(c) != std::string_view::npos;
}

// Positions 1 to 16 of a person's tax code: surname and name, year, month, day, town, check.
bool HasPersonTaxCodeShape(std::string_view code) {
    constexpr std::string_view kMonths = "ABCDEHLMPRST";
    constexpr std::string_view kShape = "LLLLLLDDMDDLDDDL";  // L letter, D digit, M month
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        const char c = code[i];
        const bool fits = kShape[i] == 'L'   ? IsLetter(c)
                          : kShape[i] == 'D' ? IsDigitOrOmocodia(c)
                                             : kMonths.find(c) != std::string_view::npos;
        if (!fits) return false;
    }
    return true;
}

// 11 digits: a VAT number, or the tax code of a company or body, with the same check digit.
std::string ElevenDigitFault(std::string_view code) {
    if (code == "00000000000") return "ha solo zeri";
    if (VatCheckDigit(code.substr(0, 10)) != code[10])
        return "ha la cifra di controllo errata (l'ultima cifra non corrisponde alle altre: una "
               "cifra è sbagliata o scambiata)";
    return {};
}

}  // namespace

char VatCheckDigit(std::string_view tenDigits) {
    // Odd positions count as they are; even ones doubled, less 9 above 9.
    int sum = 0;
    for (std::size_t i = 0; i < tenDigits.size() && i < 10; ++i) {
        int d = tenDigits[i] - '0';
        if (i % 2 == 1) {
            d *= 2;
            if (d > 9) d -= 9;
        }
        sum += d;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

char TaxCodeCheckLetter(std::string_view fifteen) {
    // Characters in odd positions (1st, 3rd ...) by the table of 1976, a digit as the
    // letter of the same rank; those in even positions by their rank (A and 0 count 0).
    static constexpr std::array<int, 26> kOdd{1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                              20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};
    int sum = 0;
    for (std::size_t i = 0; i < fifteen.size() && i < 15; ++i) {
        const char c = fifteen[i];
        const int rank = IsDigit(c) ? c - '0' : IsLetter(c) ? c - 'A' : 0;
        sum += i % 2 == 0 ? kOdd[static_cast<std::size_t>(rank)] : rank;
    }
    return static_cast<char>('A' + sum % 26);
}

std::string VatNumberFault(std::string_view code) {
    if (code.size() != 11 || !AllDigits(code)) return "non ha 11 cifre";
    return ElevenDigitFault(code);
}

std::string TaxCodeFault(std::string_view code) {
    if (code.size() == 11 && AllDigits(code)) return ElevenDigitFault(code);
    if (code.size() != 16 || !HasPersonTaxCodeShape(code))
        return "non è un codice fiscale di 16 caratteri (6 lettere, 2 cifre, la lettera del "
               "mese, 2 cifre, una lettera, 3 cifre, la lettera di controllo, in maiuscolo) né "
               "di 11 cifre";
    if (TaxCodeCheckLetter(code.substr(0, 15)) != code[15])
        return "ha la lettera di controllo errata (l'ultima lettera non corrisponde alle altre: "
               "un carattere è sbagliato o scambiato)";
    return {};
}

}  // namespace qorvana

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

bool IsVowel(char c) {
    return c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U';
}

// The upper-case letter a UTF-8 character stands for in a tax code: accented vowels count as
// their vowel; 0 for blanks, apostrophes and anything else.
char TaxCodeLetter(std::string_view text, std::size_t& at) {
    const unsigned char c = static_cast<unsigned char>(text[at]);
    if (c == 0xC3 && at + 1 < text.size()) {
        const unsigned char next = static_cast<unsigned char>(text[++at]) & 0xDF;  // upper case
        if (next >= 0x80 && next <= 0x85) return 'A';
        if (next >= 0x88 && next <= 0x8B) return 'E';
        if (next >= 0x8C && next <= 0x8F) return 'I';
        if (next >= 0x92 && next <= 0x96) return 'O';
        if (next >= 0x99 && next <= 0x9C) return 'U';
        return 0;
    }
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    return IsLetter(static_cast<char>(c)) ? static_cast<char>(c) : 0;
}

// The consonants, or the vowels, of a name in order.
std::string NameLetters(std::string_view name, bool vowels) {
    std::string out;
    for (std::size_t at = 0; at < name.size(); ++at) {
        const char letter = TaxCodeLetter(name, at);
        if (letter != 0 && IsVowel(letter) == vowels) out += letter;
    }
    return out;
}

}  // namespace

std::string TaxCodeSurnameLetters(std::string_view surname) {
    return (NameLetters(surname, false) + NameLetters(surname, true) + "XXX").substr(0, 3);
}

std::string TaxCodeFirstNameLetters(std::string_view firstName) {
    const std::string consonants = NameLetters(firstName, false);
    if (consonants.size() >= 4) return {consonants[0], consonants[2], consonants[3]};
    return (consonants + NameLetters(firstName, true) + "XXX").substr(0, 3);
}

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

std::string IbanFault(std::string_view iban) {
    const auto alnum = [](char c) { return IsDigit(c) || IsLetter(c); };
    if (iban.size() < 15 || iban.size() > 34 || !IsLetter(iban[0]) || !IsLetter(iban[1]) ||
        !IsDigit(iban[2]) || !IsDigit(iban[3]) || !std::all_of(iban.begin(), iban.end(), alnum))
        return "non è un IBAN (due lettere del paese, due cifre di controllo, da 11 a 30 lettere "
               "o cifre)";
    // The first four characters moved to the end, each letter as 10 to 35: the number is 1
    // modulo 97.
    int rest = 0;
    for (std::size_t i = 0; i < iban.size(); ++i) {
        const char c = iban[(i + 4) % iban.size()];
        const int value = IsDigit(c) ? c - '0' : c - 'A' + 10;
        rest = (rest * (value < 10 ? 10 : 100) + value) % 97;
    }
    if (rest != 1) return "ha le cifre di controllo errate (un carattere è sbagliato o scambiato)";
    return {};
}

}  // namespace qorvana

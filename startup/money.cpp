#include "startup/money.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "startup/numbers.h"

namespace qorvana {
namespace {

constexpr double kPowersOfTen[] = {1.0, 10.0, 100.0, 1000.0, 10000.0, 100000.0};

double Finite(double x) {
    return std::isfinite(x) ? x : 0.0;
}

// Adds one to a string of decimal digits.
void Increment(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// |x| times 10^decimals as decimal digits, rounded half away from zero after taking x to 15
// significant digits, as the suite's number formatting does.
std::string ScaledDigits(double x, int decimals) {
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific, 14);
    const std::string sci(buf, res.ptr);
    const std::size_t ePos = sci.find('e');
    const int exponent = std::atoi(sci.c_str() + ePos + 1);
    std::string digits;
    for (std::size_t i = 0; i < ePos; ++i)
        if (sci[i] != '.') digits += sci[i];
    const int shift = exponent - static_cast<int>(digits.size()) + 1 + decimals;
    if (shift >= 0) return digits + std::string(static_cast<std::size_t>(shift), '0');
    const int keep = static_cast<int>(digits.size()) + shift;
    if (keep < 0) return "0";
    std::string kept = keep == 0 ? "0" : digits.substr(0, static_cast<std::size_t>(keep));
    if (digits[static_cast<std::size_t>(keep)] >= '5') Increment(kept);
    return kept;
}

// Dots between groups of three digits.
std::string Grouped(const std::string& integerDigits) {
    std::string out;
    const std::size_t n = integerDigits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += '.';
        out += integerDigits[i];
    }
    return out;
}

}  // namespace

// The masks "###,###,###,###" (decimals 0) and "###,###,###,##0.#0" and its longer forms
// give this, with Italian separators; the locale is never consulted.
std::string FormatGrouped(double amount, int decimals) {
    std::string digits = ScaledDigits(amount, decimals);
    const std::size_t first = digits.find_first_not_of('0');
    const bool zero = first == std::string::npos;
    digits = zero ? "0" : digits.substr(first);
    if (decimals == 0) {
        if (zero) return "";
        std::string out = amount < 0 ? "-" : "";
        out += Grouped(digits);
        return out;
    }
    const auto d = static_cast<std::size_t>(decimals);
    if (digits.size() <= d) digits = std::string(d + 1 - digits.size(), '0') + digits;
    const std::string integerPart = digits.substr(0, digits.size() - d);
    const std::string fraction = digits.substr(digits.size() - d);
    std::string out = amount < 0 && !zero ? "-" : "";
    out += Grouped(integerPart);
    out += ',';
    out += fraction;
    return out;
}

Money::Money(bool euro, int priceDecimals)
    : euro_(euro), priceDecimals_(priceDecimals >= 3 && priceDecimals <= 5 ? priceDecimals : 2) {}

std::string Money::FormatAmount(double amount) const {
    if (!std::isfinite(amount) || amount == 0) return "";
    return FormatGrouped(amount, euro_ ? 2 : 0);
}

std::string Money::FormatCurrencyAmount(double amount) const {
    if (!std::isfinite(amount) || amount == 0) return "";
    return FormatGrouped(amount, euro_ ? priceDecimals_ : 0);
}

double Money::RoundAmount(double x) const {
    x = Finite(x);
    if (euro_) return std::floor(x * 100.0 + 0.51) / 100.0;
    return std::floor(x + 0.51);
}

double Money::RoundCurrency(double x) const {
    x = Finite(x);
    if (!euro_) return std::floor(x + 0.51);
    const double scale = kPowersOfTen[priceDecimals_];
    return std::floor(x * scale + 0.51) / scale;
}

double Money::PercentOf(double a, double p) const {
    const double product = Finite(a) * Finite(p);
    if (euro_) return Finite(std::floor(product + 0.51) / 100.0);
    return Finite(std::floor(product / 100.0 + 0.51));
}

double Money::PercentOfRoundedUp(double a, double p) const {
    const double product = Finite(a) * Finite(p);
    if (euro_) return Finite(std::floor(product + 0.51) / 100.0);
    return Finite(std::floor(product / 100.0 + 0.99));
}

double TruncateCents(double x) {
    return std::floor(Finite(x) * 100.0) / 100.0;
}

double ParseNumber(std::string_view text) {
    std::string s(text);
    const std::size_t b = s.find_first_not_of(' ');
    s = b == std::string::npos ? "" : s.substr(b, s.find_last_not_of(' ') - b + 1);
    // Each position of the original length: a "." there is removed; then a "," now at that
    // position becomes the decimal point.
    const std::size_t length = s.size();
    for (std::size_t i = 0; i < length; ++i) {
        if (i < s.size() && s[i] == '.') s.erase(i, 1);
        if (i < s.size() && s[i] == ',') s[i] = '.';
    }
    return Val(s);
}

double ParseDecimal(std::string_view text) {
    return ParseTypedDecimal(text).value_or(0);
}

std::optional<double> ParseTypedDecimal(std::string_view text) {
    std::string s(text);
    for (char& c : s)
        if (c == ',') c = '.';
    return FiniteVal(s);
}

}  // namespace qorvana

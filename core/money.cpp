#include "core/money.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "core/numbers.h"

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
    // An infinite or undefined amount (from a damaged file) has no digits to show.
    if (!std::isfinite(amount)) return "";
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
    std::string s(text);
    for (char& c : s)
        if (c == ',') c = '.';
    return Val(s);
}

TypedNumber ReadTypedNumber(std::string_view text) {
    const TypedNumber malformed{0, NumberFault::Malformed};
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    std::string_view body = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    const bool negative = body.front() == '-';
    if (body.front() == '-' || body.front() == '+') body.remove_prefix(1);
    if (body.find_first_not_of("0123456789.,") != std::string_view::npos) return malformed;

    const auto dots = std::count(body.begin(), body.end(), '.');
    const auto commas = std::count(body.begin(), body.end(), ',');
    char decimal = 0;
    char grouping = 0;
    if (dots > 0 && commas > 0) {
        decimal = body[body.find_last_of(".,")];
        grouping = decimal == '.' ? ',' : '.';
        if ((decimal == '.' ? dots : commas) != 1) return malformed;
    } else if (dots + commas == 1) {
        decimal = dots == 1 ? '.' : ',';
    } else if (dots > 1) {
        grouping = '.';
    } else if (commas > 1) {
        return malformed;
    }

    const std::size_t point = decimal ? body.find(decimal) : std::string_view::npos;
    const std::string_view whole = body.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : body.substr(point + 1);
    std::string digits;
    std::size_t group = 0;
    for (std::size_t start = 0; start <= whole.size(); ++group) {
        const std::size_t end =
            grouping ? std::min(whole.find(grouping, start), whole.size()) : whole.size();
        const std::size_t length = end - start;
        // The first group holds one to three digits, every other group three.
        if (grouping && (group == 0 ? length < 1 || length > 3 : length != 3)) return malformed;
        digits += whole.substr(start, length);
        start = end + 1;
    }
    if (digits.empty() && fraction.empty()) return malformed;
    if (digits.empty()) digits = "0";
    if (!fraction.empty()) digits += "." + std::string(fraction);

    double value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec == std::errc::result_out_of_range || !std::isfinite(value))
        return {0, NumberFault::BeyondNumbers};
    if (ec != std::errc() || end != digits.data() + digits.size()) return malformed;
    return {negative && value != 0 ? -value : value, NumberFault::None};
}

double TypedValue(std::string_view text) {
    return ReadTypedNumber(text).value;
}

std::string TypedNumberRefusal(std::string_view text, NumberFault fault) {
    if (fault == NumberFault::BeyondNumbers)
        return "Numero non valido: il valore è fuori dai limiti";
    return "Numero non valido: " + std::string(text) +
           " (scrivere ad esempio 1234,56 oppure 1.234,56)";
}

}  // namespace qorvana

#include "core/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace qorvana {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The characters of `text` that form its leading number, blanks removed.
struct NumberText {
    bool negative = false;
    std::string mantissa;  // digits and at most one '.'
    std::string exponent;  // optional sign and digits
    bool hasDigits = false;
};

NumberText ScanNumber(std::string_view text) {
    NumberText n;
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && IsBlank(text[i])) ++i;
    };
    skipBlanks();
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        n.negative = text[i] == '-';
        ++i;
    }
    bool point = false;
    for (skipBlanks(); i < text.size(); ++i, skipBlanks()) {
        const char c = text[i];
        if (IsDigit(c)) {
            n.mantissa += c;
            n.hasDigits = true;
        } else if (c == '.' && !point) {
            n.mantissa += c;
            point = true;
        } else {
            break;
        }
    }
    if (!n.hasDigits || i >= text.size()) return n;
    const char e = text[i];
    if (e != 'e' && e != 'E' && e != 'd' && e != 'D') return n;
    ++i;
    skipBlanks();
    std::string exponent;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        exponent += text[i];
        ++i;
    }
    bool expDigits = false;
    for (skipBlanks(); i < text.size() && IsDigit(text[i]); ++i, skipBlanks()) {
        exponent += text[i];
        expDigits = true;
    }
    if (expDigits) n.exponent = exponent[0] == '+' ? exponent.substr(1) : exponent;
    return n;
}

}  // namespace

double Val(std::string_view text) {
    return FiniteVal(text).value_or(0);
}

std::optional<double> FiniteVal(std::string_view text) {
    const NumberText n = ScanNumber(text);
    if (!n.hasDigits) return 0.0;
    std::string plain = n.mantissa;
    if (!n.exponent.empty()) {
        plain += 'e';
        plain += n.exponent;
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    const bool tiny = !n.exponent.empty() && n.exponent[0] == '-';
    if (ec == std::errc::result_out_of_range && tiny) return 0.0;  // underflow is zero
    if (ec == std::errc::result_out_of_range || !std::isfinite(value)) return std::nullopt;
    if (ec != std::errc()) return 0.0;
    return n.negative ? -value : value;
}

std::optional<double> WholeNumber(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.front() == '+') return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int16_t> ToInt16(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double whole = std::trunc(value);
    using Limits = std::numeric_limits<std::int16_t>;
    if (whole < Limits::min() || whole > Limits::max()) return std::nullopt;
    return static_cast<std::int16_t>(whole);
}

std::int16_t ToInt16OrZero(double value) {
    return ToInt16(value).value_or(0);
}

std::string PlainNumberText(double value) {
    if (!std::isfinite(value) || value == 0) return "0";
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
        // A whole number of up to 15 digits is its digits (serials, counters): no rounding.
        char buf[24];
        const auto res = std::to_chars(buf, buf + sizeof buf, static_cast<std::int64_t>(value));
        return std::string(buf, res.ptr);
    }
    // Shortest round-trip text at 15 significant digits: d.dddddddddddddde±x.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    std::string sci(buf, res.ptr);
    const bool negative = sci[0] == '-';
    if (negative) sci.erase(0, 1);
    const std::size_t ePos = sci.find('e');
    const int exponent = std::atoi(sci.c_str() + ePos + 1);
    std::string digits;
    for (std::size_t i = 0; i < ePos; ++i)
        if (sci[i] != '.') digits += sci[i];
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    if (exponent >= 15) {
        // Beyond 15 integer digits the suite writes an exponent form.
        std::string out = negative ? "-" : "";
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out += digits.substr(1);
        }
        out += "E+";
        out += std::to_string(exponent);
        return out;
    }
    std::string out = negative ? "-" : "";
    if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    } else {
        const auto intDigits = static_cast<std::size_t>(exponent + 1);
        if (digits.size() <= intDigits) {
            out += digits;
            out.append(intDigits - digits.size(), '0');
        } else {
            out += digits.substr(0, intDigits);
            out += '.';
            out += digits.substr(intDigits);
        }
    }
    return out;
}

}  // namespace qorvana

#include "fatturapa/xml_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "core/civil_date.h"
#include "core/cp1252.h"
#include "core/text.h"

namespace qorvana {
namespace {

// ASCII equivalents of U+00A0..U+00FF.
constexpr std::array<const char*, 96> kLatin1Ascii = {
    " ", "!",   "c", "L", "?", "Y", "|",  "S", "\"", "(C)", "a", "\"", "-",   "-",   "(R)", "-",
    "o", "+/-", "2", "3", "'", "u", "P",  ".", ",",  "1",   "o", "\"", "1/4", "1/2", "3/4", "?",
    "A", "A",   "A", "A", "A", "A", "AE", "C", "E",  "E",   "E", "E",  "I",   "I",   "I",   "I",
    "D", "N",   "O", "O", "O", "O", "O",  "x", "O",  "U",   "U", "U",  "U",   "Y",   "TH",  "ss",
    "a", "a",   "a", "a", "a", "a", "ae", "c", "e",  "e",   "e", "e",  "i",   "i",   "i",   "i",
    "d", "n",   "o", "o", "o", "o", "o",  "/", "o",  "u",   "u", "u",  "u",   "y",   "th",  "y"};

// Equivalents of the Windows-1252 characters outside Latin-1 (its codes 128..159).
const char* BeyondLatin1(char32_t c) {
    switch (c) {
        case 0x20AC:
            return "EUR";
        case 0x201A:
            return ",";
        case 0x0192:
            return "f";
        case 0x201E:
        case 0x201C:
        case 0x201D:
            return "\"";
        case 0x2026:
            return "...";
        case 0x2020:
        case 0x2021:
            return "+";
        case 0x02C6:
            return "^";
        case 0x2030:
            return "o/oo";
        case 0x0160:
            return "S";
        case 0x2039:
            return "<";
        case 0x0152:
            return "OE";
        case 0x017D:
            return "Z";
        case 0x2018:
        case 0x2019:
            return "'";
        case 0x2022:
            return "*";
        case 0x2013:
        case 0x2014:
            return "-";
        case 0x02DC:
            return "~";
        case 0x2122:
            return "TM";
        case 0x0161:
            return "s";
        case 0x203A:
            return ">";
        case 0x0153:
            return "oe";
        case 0x017E:
            return "z";
        case 0x0178:
            return "Y";
        default:
            return "?";
    }
}

}  // namespace

std::string KeepText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t start = at;
        const char32_t c = NextCodePoint(utf8, at);
        if (c < 32 || c == 0xFF) continue;
        if (c == 0xFFFD)
            AppendUtf8(out, c);
        else
            out.append(utf8.substr(start, at - start));
    }
    return out;
}

void AppendXmlValue(std::string& out, std::string_view utf8, XmlCharset charset) {
    const char32_t limit = charset == XmlCharset::Latin1 ? 0x100 : 0x80;
    for (std::size_t at = 0; at < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[at]);
        if (byte >= 32 && byte < 0x80) {  // the common case, as it stands
            out += static_cast<char>(byte);
            ++at;
            continue;
        }
        const char32_t c = NextCodePoint(utf8, at);
        if (c < 32 || c == 0xFF) continue;  // Keep text
        if (c < limit)
            AppendUtf8(out, c);
        else if (c >= 0xA0 && c <= 0xFF)
            out += kLatin1Ascii[c - 0xA0];
        else if (c >= 0x80 && c < 0xA0)
            out += '?';  // C1 controls have no place in a value
        else
            out += BeyondLatin1(c);
    }
}

std::string Transliterate(std::string_view utf8, XmlCharset charset) {
    // Transliteration alone: characters below 32 and "ÿ" are kept.
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t start = at;
        const char32_t c = NextCodePoint(utf8, at);
        if (c < 32 || c == 0xFF)
            out.append(utf8.substr(start, at - start));
        else
            AppendXmlValue(out, utf8.substr(start, at - start), charset);
    }
    return out;
}

void AppendXmlEscaped(std::string& out, std::string_view utf8) {
    for (char ch : utf8) {
        switch (ch) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out += ch;
        }
    }
}

std::string XmlEscape(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() + 8);
    AppendXmlEscaped(out, utf8);
    return out;
}

std::string XmlValue(std::string_view storedUtf8, XmlCharset charset) {
    std::string out;
    AppendXmlValue(out, storedUtf8, charset);
    return Trim(out);
}

std::size_t XmlLength(std::string_view utf8) {
    return Utf8Length(utf8);
}

std::string XmlDecimal(double value, int decimals) {
    char buf[400];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    std::string text(buf, res.ptr);
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);  // a negative value that rounds to zero
    return text;
}

std::string XmlDecimalAsItIs(double value) {
    std::string text = XmlDecimal(value, 8);
    const std::size_t point = text.find('.');
    if (point == std::string::npos) return text;  // not a finite number
    text.erase(std::max(text.find_last_not_of('0') + 1, point + 3));
    return text;
}

std::optional<std::string> XmlDate(std::string_view ddmmyyyy) {
    const auto date = CivilDate::Parse(ddmmyyyy);
    if (!date) return std::nullopt;
    return date->isoText();
}

}  // namespace qorvana

#pragma once
// Values as the FatturaPA XML files carry them: texts without control characters, with the
// characters the element's type does not allow replaced by their nearest equivalents, XML
// escaped, UTF-8; numbers with "." and a fixed number of decimals; dates yyyy-mm-dd.
// Shared by the writers of every format version.

#include <optional>
#include <string>
#include <string_view>

namespace qorvana {

// The characters a text element of the schema accepts.
enum class XmlCharset {
    Latin1,      // Basic Latin and Latin-1 Supplement (the String...LatinType types)
    BasicLatin,  // ASCII (String10Type, String20Type, ...)
};

// Keep text: the text without the characters below 32 and without "ÿ" (code 255 of the
// stored text).
std::string KeepText(std::string_view utf8);
// The text with every character outside `charset` replaced by its nearest equivalent
// ("’" gives "'", "€" gives "EUR", "œ" gives "oe"; in BasicLatin "à" gives "a"); a character
// without one gives "?".
std::string Transliterate(std::string_view utf8, XmlCharset charset);
// "&", "<" and ">" as entity references, for element content.
std::string XmlEscape(std::string_view utf8);
// The value to write for a stored text: Keep text, transliterated, trimmed (not escaped).
std::string XmlValue(std::string_view storedUtf8, XmlCharset charset);
// XmlValue appended to `out` (which keeps its capacity between values), not trimmed.
void AppendXmlValue(std::string& out, std::string_view storedUtf8, XmlCharset charset);
// XmlEscape appended to `out`.
void AppendXmlEscaped(std::string& out, std::string_view utf8);
// Number of characters of a UTF-8 text.
std::size_t XmlLength(std::string_view utf8);

// `value` with exactly `decimals` decimals, "." as decimal point, no grouping, whatever the
// locale; halves rounded as the exact binary value lies; never "-0.00".
std::string XmlDecimal(double value, int decimals);
// Amount text: two decimals (3 gives "3.00").
inline std::string XmlAmount(double value) {
    return XmlDecimal(value, 2);
}
// `value` with the decimals it has, at least two and at most eight, the last rounded
// (12.125 gives "12.125", 2.4 gives "2.40", 1/3 gives "0.33333333").
std::string XmlDecimalAsItIs(double value);
// Unit-price text: eight decimals (12.5 gives "12.50000000").
inline std::string XmlUnitPrice(double value) {
    return XmlDecimal(value, 8);
}
// A "dd/mm/yyyy" date as yyyy-mm-dd; nullopt when it is not a valid date.
std::optional<std::string> XmlDate(std::string_view ddmmyyyy);

}  // namespace qorvana

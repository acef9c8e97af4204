#pragma once
// Windows-1252 on disk, UTF-8 in memory.

#include <string>
#include <string_view>

namespace qorvana {

// True when every byte is below 0x80: plain ASCII, the same text in Windows-1252 and UTF-8.
// The bytes are or'ed together without an early exit: a loop the compiler turns into vector
// instructions over a short field.
inline bool IsAscii(std::string_view text) {
    unsigned char any = 0;
    for (const char c : text) any |= static_cast<unsigned char>(c);
    return any < 0x80;
}
// The upper case of a plain-ASCII letter; any other byte as it is. Branch-free: lower-case
// letters come in no predictable order.
constexpr char AsciiUpper(char c) {
    return static_cast<char>(c - ('a' - 'A') * (c >= 'a' && c <= 'z'));
}

// Windows-1252 bytes to UTF-8. Bytes undefined in Windows-1252 map to U+FFFD.
std::string Cp1252ToUtf8(std::string_view cp1252);
// The same, appended to `out`.
void AppendCp1252AsUtf8(std::string& out, std::string_view cp1252);
// UTF-8 to Windows-1252; a character it cannot hold (or invalid UTF-8) becomes '?'.
// `lossy`, when given, is set to true when such a replacement happened.
std::string Utf8ToCp1252(std::string_view utf8, bool* lossy = nullptr);
// Decodes the code point at `pos` and moves past it; an invalid sequence gives U+FFFD and
// skips one byte.
char32_t NextCodePoint(std::string_view utf8, std::size_t& pos);
// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t c);
// Number of characters (code points) of a UTF-8 text.
std::size_t Utf8Length(std::string_view utf8);
// Upper case as the suite compares names: Windows-1252 upper-casing of a UTF-8 text
// (a..z and the accented letters à..þ, š, œ, ž, ÿ), returned as UTF-8.
std::string UpperCase(std::string_view utf8);

}  // namespace qorvana

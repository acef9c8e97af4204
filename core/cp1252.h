#pragma once
// Windows-1252 on disk, UTF-8 in memory.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

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

// AsciiUpper of the `n` bytes (8 or more) at `in` into `out`, eight bytes at a time, for the
// short fixed-width fields of a record. False, with `out` of no use, when a byte is not plain
// ASCII; else `changed` tells whether any letter was lower case.
inline bool AsciiUpperWords(const char* in, std::size_t n, char* out, bool& changed) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHigh = kOnes * 0x80;
    std::uint64_t high = 0;
    std::uint64_t lower = 0;
    const auto upper = [&](std::size_t at) {
        std::uint64_t w;
        std::memcpy(&w, in + at, 8);
        high |= w;
        // With every byte below 0x80 no sum carries into the next byte: the top bit of each
        // byte of the first sum is set from 'a' up, of the second past 'z'.
        const std::uint64_t letters =
            (w + kOnes * (0x80 - 'a')) & ~(w + kOnes * (0x80 - 'z' - 1)) & kHigh;
        lower |= letters;
        w ^= letters >> 2;  // 0x20: the case bit
        std::memcpy(out + at, &w, 8);
    };
    std::size_t at = 0;
    for (; at + 8 <= n; at += 8) upper(at);
    if (at < n) upper(n - 8);  // the last bytes, overlapping the word before
    changed = lower != 0;
    return (high & kHigh) == 0;
}

// Windows-1252 bytes to UTF-8. Bytes undefined in Windows-1252 map to U+FFFD.
std::string Cp1252ToUtf8(std::string_view cp1252);
// The same, written at `out`, which has room for 3 bytes a byte; returns where it ended.
char* WriteCp1252AsUtf8(std::string_view cp1252, char* out);
// UTF-8 to Windows-1252; a character it cannot hold (or invalid UTF-8) becomes '?'.
// `lossy`, when given, is set to true when such a replacement happened.
std::string Utf8ToCp1252(std::string_view utf8, bool* lossy = nullptr);
// The characters of a UTF-8 text that Windows-1252 cannot hold, each once in the order met:
// the ones Utf8ToCp1252 writes as '?'.
std::vector<std::string> CharactersNotInCp1252(std::string_view utf8);
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

#include "core/cp1252.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace qorvana {
namespace {

constexpr char32_t kUndefined = 0xFFFD;

// Code points of bytes 0x80..0x9F; the rest of Windows-1252 equals Latin-1.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC,     kUndefined, 0x201A, 0x0192, 0x201E, 0x2026,     0x2020, 0x2021,
    0x02C6,     0x2030,     0x0160, 0x2039, 0x0152, kUndefined, 0x017D, kUndefined,
    kUndefined, 0x2018,     0x2019, 0x201C, 0x201D, 0x2022,     0x2013, 0x2014,
    0x02DC,     0x2122,     0x0161, 0x203A, 0x0153, kUndefined, 0x017E, 0x0178};

constexpr char32_t ByteToCodePoint(std::uint8_t b) {
    if (b >= 0x80 && b <= 0x9F) return kHigh[b - 0x80];
    return b;
}

// The UTF-8 of every byte: all lie in the Basic Multilingual Plane, so 3 bytes at most.
struct Utf8Of {
    std::array<char, 3> bytes;
    std::uint8_t length;
};
constexpr std::array<Utf8Of, 256> kUtf8Of = [] {
    std::array<Utf8Of, 256> table{};
    for (int b = 0; b < 256; ++b) {
        const char32_t c = ByteToCodePoint(static_cast<std::uint8_t>(b));
        Utf8Of& u = table[static_cast<std::size_t>(b)];
        if (c < 0x80) {
            u = {{static_cast<char>(c)}, 1};
        } else if (c < 0x800) {
            u = {{static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))}, 2};
        } else {
            u = {{static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                  static_cast<char>(0x80 | (c & 0x3F))},
                 3};
        }
    }
    return table;
}();

// The Windows-1252 byte of a code point, or -1 when it has none.
int CodePointToByte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == c && c != kUndefined) return static_cast<int>(0x80 + i);
    return -1;
}

// Windows-1252 upper case of a code point that Windows-1252 holds.
char32_t UpperCodePoint(char32_t c) {
    if (c >= U'a' && c <= U'z') return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    switch (c) {
        case 0x0161:
            return 0x0160;  // š
        case 0x0153:
            return 0x0152;  // œ
        case 0x017E:
            return 0x017D;  // ž
        case 0x00FF:
            return 0x0178;  // ÿ
        default:
            return c;
    }
}

}  // namespace

char32_t NextCodePoint(std::string_view s, std::size_t& pos) {
    const auto b0 = static_cast<std::uint8_t>(s[pos]);
    int extra = 0;
    char32_t c = 0;
    if (b0 < 0x80) {
        ++pos;
        return b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        c = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        c = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        c = b0 & 0x07;
    } else {
        ++pos;
        return kUndefined;
    }
    if (pos + static_cast<std::size_t>(extra) >= s.size()) {
        ++pos;
        return kUndefined;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto b = static_cast<std::uint8_t>(s[pos + i]);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return kUndefined;
        }
        c = (c << 6) | (b & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (c < kMin[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return kUndefined;
    }
    pos += extra + 1;
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string Cp1252ToUtf8(std::string_view cp1252) {
    if (IsAscii(cp1252)) return std::string(cp1252);
    std::string out(3 * cp1252.size(), '\0');
    out.resize(static_cast<std::size_t>(WriteCp1252AsUtf8(cp1252, out.data()) - out.data()));
    return out;
}

char* WriteCp1252AsUtf8(std::string_view cp1252, char* out) {
    for (const char ch : cp1252) {
        const Utf8Of& u = kUtf8Of[static_cast<std::uint8_t>(ch)];
        std::memcpy(out, u.bytes.data(), 3);  // within the room: the next byte writes over it
        out += u.length;
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8, bool* lossy) {
    std::string out;
    out.reserve(utf8.size());
    bool replaced = false;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const int b = CodePointToByte(NextCodePoint(utf8, pos));
        if (b < 0) {
            out += '?';
            replaced = true;
        } else {
            out += static_cast<char>(b);
        }
    }
    if (lossy) *lossy = replaced;
    return out;
}

std::vector<std::string> CharactersNotInCp1252(std::string_view utf8) {
    std::vector<std::string> found;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        if (CodePointToByte(NextCodePoint(utf8, pos)) >= 0) continue;
        std::string character(utf8.substr(start, pos - start));
        if (std::find(found.begin(), found.end(), character) == found.end())
            found.push_back(std::move(character));
    }
    return found;
}

std::size_t Utf8Length(std::string_view utf8) {
    std::size_t count = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        NextCodePoint(utf8, pos);
        ++count;
    }
    return count;
}

std::string UpperCase(std::string_view utf8) {
    if (IsAscii(utf8)) {
        // Plain ASCII, most texts: only its letters change.
        std::string upper(utf8);
        for (char& c : upper) c = AsciiUpper(c);
        return upper;
    }
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) AppendUtf8(out, UpperCodePoint(NextCodePoint(utf8, pos)));
    return out;
}

}  // namespace qorvana

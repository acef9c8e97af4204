#include "core/record.h"

#include <algorithm>
#include <cstring>

#include "core/cp1252.h"

namespace qorvana {

std::string DecodeText(std::span<const std::uint8_t> bytes) {
    return Cp1252ToUtf8(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), TextFieldLength(bytes)));
}

bool EncodeText(std::span<std::uint8_t> bytes, std::string_view utf8) {
    const std::string encoded = Utf8ToCp1252(utf8);
    const std::size_t n = std::min(encoded.size(), bytes.size());
    std::copy_n(encoded.begin(), n, bytes.begin());
    std::fill(bytes.begin() + n, bytes.end(), static_cast<std::uint8_t>(' '));
    return encoded.size() <= bytes.size();
}

}  // namespace qorvana

#include "startup/text.h"

namespace qorvana {

std::string Trim(std::string_view text, std::string_view blanks) {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(blanks);
    return std::string(text.substr(first, last - first + 1));
}

std::string TrimRight(std::string_view text, std::string_view blanks) {
    const auto last = text.find_last_not_of(blanks);
    if (last == std::string_view::npos) return {};
    return std::string(text.substr(0, last + 1));
}

}  // namespace qorvana

#pragma once
// Trimming as the suite trims texts read from records and settings files.

#include <string>
#include <string_view>

namespace qorvana {

// The text without leading and trailing characters of `blanks` (blanks by default).
// Blanks and tabs, for texts of the settings files.
inline constexpr std::string_view kBlanksAndTabs = " \t";

std::string Trim(std::string_view text, std::string_view blanks = " ");
// The text without trailing characters of `blanks`.
std::string TrimRight(std::string_view text, std::string_view blanks = " ");

}  // namespace qorvana

#pragma once
// Trimming as the suite trims texts read from records and settings files.

#include <string>
#include <string_view>
#include <vector>

namespace qorvana {

// The text without leading and trailing characters of `blanks` (blanks by default).
// Blanks and tabs, for texts of the settings files.
inline constexpr std::string_view kBlanksAndTabs = " \t";

std::string Trim(std::string_view text, std::string_view blanks = " ");
// The text without leading and trailing `blank`s, as a view into it: Trim without a copy.
constexpr std::string_view TrimView(std::string_view text, char blank = ' ') {
    while (!text.empty() && text.front() == blank) text.remove_prefix(1);
    while (!text.empty() && text.back() == blank) text.remove_suffix(1);
    return text;
}
// The text without trailing characters of `blanks`.
std::string TrimRight(std::string_view text, std::string_view blanks = " ");

// The parts of `line` between `separator`s (one part for a line without any).
std::vector<std::string> SplitFields(std::string_view line, char separator);
// A value as a field of a tab-separated line holds it: trimmed, a tab or line break inside it
// a blank.
std::string TabFieldText(std::string_view value);

// A file of this program's own: Windows-1252, CRLF lines, `firstLine` first, then lines of
// tab-separated fields.
struct TabFileLines {
    std::vector<std::vector<std::string>> rows;  // the fields (UTF-8) of line 2 onwards
    std::size_t damagedLine = 0;                 // 1 when the first line is not `firstLine`
};
TabFileLines SplitTabFile(std::string_view bytes, std::string_view firstLine);

// The text with its ASCII capitals in lower case (names of settings, headers, URLs, files).
std::string LowerAscii(std::string_view text);

// The keep-printable rule of printed and exported texts: a UTF-8 text without the characters
// whose Windows-1252 code is below 32 or equal to 255 (U+00FF).
std::string KeepPrintable(std::string_view utf8);

}  // namespace qorvana

#include "core/text.h"

#include "core/cp1252.h"

namespace qorvana {

std::string Trim(std::string_view text, std::string_view blanks) {
    // The usual case, without a set look-up per character.
    if (blanks.size() == 1) return std::string(TrimView(text, blanks[0]));
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

std::string KeepPrintable(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 32) continue;
        if (c == 0xC3 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) == 0xBF) {
            ++i;  // U+00FF, code 255
            continue;
        }
        out.push_back(utf8[i]);
    }
    return out;
}

std::vector<std::string> SplitFields(std::string_view line, char separator) {
    std::vector<std::string> parts(1);
    for (char c : line) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

std::string TabFieldText(std::string_view value) {
    std::string text(value);
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return Trim(text);
}

TabFileLines SplitTabFile(std::string_view bytes, std::string_view firstLine) {
    std::vector<std::string> lines = SplitFields(Cp1252ToUtf8(bytes), '\n');
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    for (std::string& line : lines)
        if (!line.empty() && line.back() == '\r') line.pop_back();
    TabFileLines file;
    if (lines.empty() || lines.front() != firstLine) {
        file.damagedLine = 1;
        return file;
    }
    for (std::size_t n = 1; n < lines.size(); ++n) file.rows.push_back(SplitFields(lines[n], '\t'));
    return file;
}

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

}  // namespace qorvana

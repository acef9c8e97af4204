#include "core/key_value_file.h"

#include <algorithm>
#include <cctype>

#include "core/cp1252.h"
#include "core/text.h"

namespace qorvana {

KeyValues ParseKeyValues(std::string_view cp1252Text) {
    KeyValues values;
    const std::string text = Cp1252ToUtf8(cp1252Text);
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string trimmed = Trim(line, kBlanksAndTabs);
        const std::size_t equals = trimmed.find('=');
        if (trimmed.empty() || trimmed[0] == '#' || trimmed[0] == ';' || equals == 0 ||
            equals == std::string::npos)
            continue;
        std::string key = Trim(trimmed.substr(0, equals), kBlanksAndTabs);
        std::transform(key.begin(), key.end(), key.begin(),
                       [](unsigned char c) { return char(std::tolower(c)); });
        values[key] = Trim(trimmed.substr(equals + 1), kBlanksAndTabs);
    }
    return values;
}

std::string ValueOf(const KeyValues& values, const std::string& key) {
    const auto found = values.find(key);
    return found == values.end() ? std::string() : found->second;
}

}  // namespace qorvana

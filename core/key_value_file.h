#pragma once
// Settings files of "key=value" lines, as the suite's small settings files are written:
// Windows-1252, keys in any case, "#" or ";" starting a comment line, blanks around keys and
// values ignored.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace qorvana {

// Keys lower-cased, values in UTF-8.
using KeyValues = std::map<std::string, std::string>;

// The entries of a settings text.
KeyValues ParseKeyValues(std::string_view cp1252Text);
// The value of `key`, empty when the file does not give it.
std::string ValueOf(const KeyValues& values, const std::string& key);

}  // namespace qorvana

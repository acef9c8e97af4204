#include "core/paths.h"

#include <cstdlib>
#include <system_error>

namespace qorvana {
namespace {

char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

}  // namespace

PathMapper::PathMapper(std::filesystem::path driveRoot) : driveRoot_(std::move(driveRoot)) {}

std::filesystem::path FindInFolder(const std::filesystem::path& folder, std::string_view name) {
    std::error_code ec;
    if (std::filesystem::exists(folder / name, ec)) return folder / name;
    std::filesystem::directory_iterator it(folder, ec);
    if (!ec) {
        for (const auto& entry : it) {
            const std::string entryName = entry.path().filename().string();
            if (SameNameIgnoringCase(entryName, name)) return folder / entryName;
        }
    }
    return folder / name;
}

std::filesystem::path PathMapper::map(std::string_view windowsPath) const {
    if (windowsPath.size() >= 2 && windowsPath[1] == ':' &&
        ((windowsPath[0] >= 'a' && windowsPath[0] <= 'z') ||
         (windowsPath[0] >= 'A' && windowsPath[0] <= 'Z'))) {
        windowsPath.remove_prefix(2);
    }
    std::filesystem::path host = driveRoot_;
    int depth = 0;  // components below the drive root
    std::size_t start = 0;
    while (start <= windowsPath.size()) {
        std::size_t end = windowsPath.find_first_of("\\/", start);
        if (end == std::string_view::npos) end = windowsPath.size();
        const std::string_view component = windowsPath.substr(start, end - start);
        if (component == "..") {
            // As on the drive itself, ".." never climbs above the root.
            if (depth > 0) {
                host = host.parent_path();
                --depth;
            }
        } else if (!component.empty() && component != ".") {
            host = FindInFolder(host, component);
            ++depth;
        }
        start = end + 1;
    }
    return host;
}

std::filesystem::path PathMapper::DriveRootFrom(const std::optional<std::string>& option) {
    if (option && !option->empty()) return *option;
    const char* env = std::getenv("QORVANA_DRIVE");
    if (env != nullptr && *env != '\0') return env;
    return "/";
}

std::string CompanyFolder(int companyNumber) {
    const std::string digits = "000" + std::to_string(companyNumber);
    return std::string(kDataRoot) + "qoraz0." + digits.substr(digits.size() - 3);
}

std::optional<int> CompanyFromCommandLine(std::string_view commandLine) {
    if (commandLine.size() < 9) return std::nullopt;
    const std::string_view digits = commandLine.substr(6, 3);
    int number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    if (number < 1 || number > 999) return std::nullopt;
    return number;
}

bool IsSafeFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 32 || c == 127) return false;
        // Separators, and what Windows refuses in a name (the name is also shown in
        // Windows form to the suite's other programs).
        for (char bad : std::string_view("/\\:*?\"<>|"))
            if (ch == bad) return false;
    }
    return true;
}

}  // namespace qorvana

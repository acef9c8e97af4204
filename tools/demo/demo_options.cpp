#include "tools/demo/demo_options.h"

#include <charconv>

#include "core/data_file_types.h"

namespace qorvana::demo {
namespace {

bool ParseInt(const std::string& text, int low, int high, int& out) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return false;
    if (value < low || value > high) return false;
    out = value;
    return true;
}

std::vector<std::string> SplitModules(const std::string& list) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t comma = list.find(',', start);
        if (comma == std::string::npos) comma = list.size();
        if (comma > start) lines.push_back(list.substr(start, comma - start));
        start = comma + 1;
    }
    return lines;
}

}  // namespace

std::variant<DemoOptions, std::string> ParseDemoOptions(const std::vector<std::string>& args) {
    DemoOptions options;
    bool haveDrive = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--lire") {
            options.lire = true;
            continue;
        }
        if (i + 1 >= args.size()) return "missing value after " + arg;
        const std::string& value = args[++i];
        if (arg == "--drive") {
            options.drive = value;
            haveDrive = !value.empty();
        } else if (arg == "--company") {
            if (!ParseInt(value, 1, 999, options.company)) return "--company must be 1..999";
        } else if (arg == "--customers") {
            if (!ParseInt(value, 1, kMaxCountedRecords, options.customers))
                return "--customers must be 1.." + std::to_string(kMaxCountedRecords);
        } else if (arg == "--articles") {
            if (!ParseInt(value, 1, kMaxCountedRecords, options.articles))
                return "--articles must be 1.." + std::to_string(kMaxCountedRecords);
        } else if (arg == "--modules") {
            options.modules = SplitModules(value);
        } else if (arg == "--notes") {
            if (!ParseInt(value, 0, 2000, options.notes)) return "--notes must be 0..2000";
        } else if (arg == "--fpa-switch") {
            if (!ParseInt(value, 0, 1, options.fpaSwitch)) return "--fpa-switch must be 0 or 1";
        } else if (arg == "--einvoices-all") {
            if (!ParseInt(value, 0, 1, options.einvoicesAll))
                return "--einvoices-all must be 0 or 1";
        } else if (arg == "--fpa-format") {
            if (value != "1.0" && value != "1.2.3") return "--fpa-format must be 1.0 or 1.2.3";
            options.fpaFormat = value;
        } else {
            return "unknown option " + arg;
        }
    }
    if (!haveDrive) return "--drive DIR is required";
    return options;
}

}  // namespace qorvana::demo

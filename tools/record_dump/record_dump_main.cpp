// record-dump FILE [LAYOUT] [--from N] [--to N]: prints a data file record by record, field by
// field, with the layout named or taken from the file's extension.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "tools/record_dump/layout_registry.h"
#include "tools/record_dump/record_printer.h"

namespace {

struct Options {
    std::string file;
    std::string layout;
    std::int64_t from = 1;
    std::optional<std::int64_t> to;
};

void Usage() {
    std::cerr << "usage: record-dump FILE [LAYOUT] [--from N] [--to N]\nlayouts:";
    for (const auto& entry : qorvana::DumpLayouts()) std::cerr << ' ' << entry.name;
    std::cerr << '\n';
}

std::optional<std::int64_t> Number(const std::string& text) {
    char* end = nullptr;
    long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 1) return std::nullopt;
    return value;
}

std::optional<Options> Parse(int argc, char** argv) {
    Options options;
    std::vector<std::string> plain;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--from" || arg == "--to") {
            if (i + 1 >= argc) return std::nullopt;
            auto n = Number(argv[++i]);
            if (!n) return std::nullopt;
            (arg == "--from" ? options.from : options.to.emplace()) = *n;
        } else if (arg.starts_with("--")) {
            return std::nullopt;
        } else {
            plain.push_back(arg);
        }
    }
    if (plain.empty() || plain.size() > 2) return std::nullopt;
    options.file = plain[0];
    if (plain.size() == 2) options.layout = plain[1];
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    auto options = Parse(argc, argv);
    if (!options) {
        Usage();
        return 2;
    }
    const qorvana::Layout* layout = options->layout.empty()
                                        ? qorvana::GuessDumpLayout(options->file)
                                        : qorvana::FindDumpLayout(options->layout);
    if (!layout) {
        std::cerr << "record-dump: no layout "
                  << (options->layout.empty() ? "for the extension of " + options->file
                                              : "named " + options->layout)
                  << '\n';
        Usage();
        return 2;
    }
    std::ifstream in(options->file, std::ios::binary);
    if (!in) {
        std::cerr << "record-dump: cannot open " << options->file << '\n';
        return 1;
    }
    std::error_code error;
    const auto size = std::filesystem::file_size(options->file, error);
    if (error) {
        std::cerr << "record-dump: cannot read " << options->file << ": " << error.message()
                  << '\n';
        return 1;
    }
    const auto records = static_cast<std::int64_t>(size / layout->length);
    std::cout << options->file << ": layout " << layout->name << ", " << layout->length
              << " bytes a record, " << records << " records";
    if (size % layout->length != 0) std::cout << " and " << size % layout->length << " bytes more";
    std::cout << '\n';

    const std::int64_t last = std::min(records, options->to.value_or(records));
    std::vector<std::uint8_t> record(layout->length);
    for (std::int64_t n = options->from; n <= last; ++n) {
        in.seekg(static_cast<std::streamoff>((n - 1) * static_cast<std::int64_t>(layout->length)));
        in.read(reinterpret_cast<char*>(record.data()),
                static_cast<std::streamsize>(record.size()));
        if (!in) {
            std::cerr << "record-dump: read error at record " << n << '\n';
            return 1;
        }
        qorvana::PrintRecord(std::cout, static_cast<std::int32_t>(n), record, *layout);
    }
    return 0;
}

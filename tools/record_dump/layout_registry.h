#pragma once
// The record layouts record-dump knows, by name; a file's extension names its layout.

#include <filesystem>
#include <span>
#include <string_view>

#include "core/record.h"

namespace qorvana {

// One dumpable layout: the name it is asked by (the file extension) and its fields.
struct NamedLayout {
    std::string_view name;
    const Layout* layout;
};

// Every layout, in the order of the data-file set.
std::span<const NamedLayout> DumpLayouts();
// The layout of that name (case-insensitive), or nullptr.
const Layout* FindDumpLayout(std::string_view name);
// The layout named by the file's extension ("qorvana.ART" gives art), or nullptr.
const Layout* GuessDumpLayout(const std::filesystem::path& file);

}  // namespace qorvana

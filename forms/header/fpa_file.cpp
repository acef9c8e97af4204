#include "forms/header/fpa_file.h"

#include <fstream>

namespace qorvana {

FpaRecord LoadFpaRecord(const std::filesystem::path& file) {
    FpaRecord record;
    std::error_code error;
    std::ifstream in;
    if (std::filesystem::is_regular_file(file, error))
        in.open(file, std::ios::binary);  // read-only: never creates the file
    if (!in.is_open()) {
        for (auto& byte : record.bytes()) byte = ' ';
        record.setText(fpa::kMarker, "0");
        return record;
    }
    auto bytes = record.bytes();
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return record;
}

}  // namespace qorvana

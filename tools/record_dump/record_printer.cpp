#include "tools/record_dump/record_printer.h"

#include <cstdio>
#include <cstring>
#include <iomanip>
#include <string_view>

#include "core/numbers.h"

namespace qorvana {
namespace {

template <typename T>
T Load(std::span<const std::uint8_t> bytes) {
    T value;
    std::memcpy(&value, bytes.data(), sizeof value);
    return value;
}

std::string HexBytes(std::span<const std::uint8_t> bytes) {
    char two[4];
    bool allSame = bytes.size() > 4;
    for (auto b : bytes)
        if (b != bytes[0]) allSame = false;
    if (allSame) {
        std::snprintf(two, sizeof two, "%02x", bytes[0]);
        return std::string(two) + " x " + std::to_string(bytes.size());
    }
    std::string text;
    for (auto b : bytes) {
        if (!text.empty()) text += ' ';
        std::snprintf(two, sizeof two, "%02x", b);
        text += two;
    }
    return text;
}

}  // namespace

std::string FieldValueText(std::span<const std::uint8_t> record, const FieldDef& def) {
    const FieldSpec f = def.field;
    if (f.offset + f.width > record.size()) return "(past the end of the record)";
    auto bytes = record.subspan(f.offset, f.width);
    // Carried fields have no meaning here, whatever their type: their bytes are the truth.
    if (std::string_view(def.name).starts_with("carried")) return HexBytes(bytes);
    switch (f.type) {
        case FieldType::Text:
            return "\"" + DecodeText(bytes) + "\"";
        case FieldType::Int16:
            return std::to_string(Load<std::int16_t>(bytes));
        case FieldType::Single:
            return PlainNumberText(static_cast<double>(Load<float>(bytes)));
        case FieldType::Double:
            return PlainNumberText(Load<double>(bytes));
        case FieldType::Bytes:
            return HexBytes(bytes);
    }
    return {};
}

void PrintRecord(std::ostream& out, std::int32_t number, std::span<const std::uint8_t> record,
                 const Layout& layout) {
    out << "--- record " << number << '\n';
    for (const auto& def : layout.fields) {
        out << std::setw(6) << def.field.offset << "  " << std::left << std::setw(22) << def.name
            << std::right << std::setw(5) << def.field.width << "  " << FieldValueText(record, def)
            << '\n';
    }
}

}  // namespace qorvana

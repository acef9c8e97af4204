#pragma once
// Fixed-length packed records of the suite's data files: fields back to back, text one
// Windows-1252 byte per character padded with blanks, 16-bit signed integers, IEEE singles
// and doubles, all little-endian. A record is held as its raw bytes; accessors read and
// write fields in place, so bytes of fields this program does not use are kept as read.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

static_assert(std::endian::native == std::endian::little, "records are little-endian on disk");

namespace qorvana {

enum class FieldType : std::uint8_t { Text, Int16, Single, Double, Bytes };

// One field of a layout: where it lies and how it is encoded.
struct Field {
    std::size_t offset;
    std::size_t width;
    FieldType type;
};

constexpr Field TextField(std::size_t offset, std::size_t width) {
    return {offset, width, FieldType::Text};
}
constexpr Field Int16Field(std::size_t offset) {
    return {offset, 2, FieldType::Int16};
}
constexpr Field SingleField(std::size_t offset) {
    return {offset, 4, FieldType::Single};
}
constexpr Field DoubleField(std::size_t offset) {
    return {offset, 8, FieldType::Double};
}
// Bytes this program carries without giving them a meaning.
constexpr Field CarriedField(std::size_t offset, std::size_t width) {
    return {offset, width, FieldType::Bytes};
}

// A named field of a layout table, for record-dump and the layout checks.
struct FieldDef {
    const char* name;
    Field field;
    const char* meaning;
};

// A whole layout: name, record length and its fields in offset order.
struct Layout {
    const char* name;
    std::size_t length;
    std::span<const FieldDef> fields;
};

// True when the fields lie back to back from offset 0 and end exactly at the record length.
template <std::size_t N>
constexpr bool FieldsCover(const std::array<FieldDef, N>& fields, std::size_t length) {
    std::size_t at = 0;
    for (const auto& f : fields) {
        if (f.field.offset != at) return false;
        if (f.field.type == FieldType::Int16 && f.field.width != 2) return false;
        if (f.field.type == FieldType::Single && f.field.width != 4) return false;
        if (f.field.type == FieldType::Double && f.field.width != 8) return false;
        at += f.field.width;
    }
    return at == length;
}

// Text of a field: Windows-1252 bytes turned to UTF-8, trailing blanks and NULs removed.
std::string DecodeText(std::span<const std::uint8_t> bytes);
// Writes UTF-8 text into a field as Windows-1252, blank-padded. Characters Windows-1252
// cannot hold become "?". Returns false when the text was longer than the field (the field
// then holds its first `width` characters).
bool EncodeText(std::span<std::uint8_t> bytes, std::string_view utf8);

// The raw bytes of one record of length N with typed field access.
template <std::size_t N>
class Record {
  public:
    static constexpr std::size_t kLength = N;

    Record() { bytes_.fill(0); }

    std::span<std::uint8_t, N> bytes() { return bytes_; }
    std::span<const std::uint8_t, N> bytes() const { return bytes_; }

    std::string text(Field f) const { return DecodeText(span(f)); }
    bool setText(Field f, std::string_view utf8) { return EncodeText(span(f), utf8); }

    std::int16_t int16(Field f) const { return load<std::int16_t>(f); }
    void setInt16(Field f, std::int16_t v) { store(f, v); }
    float single(Field f) const { return load<float>(f); }
    void setSingle(Field f, float v) { store(f, v); }
    double dbl(Field f) const { return load<double>(f); }
    void setDouble(Field f, double v) { store(f, v); }

    // Field `index` (0-based) of an array of equal fields starting at `first`.
    static constexpr Field At(Field first, std::size_t index) {
        return {first.offset + index * first.width, first.width, first.type};
    }

    bool isBlank() const {
        for (auto b : bytes_)
            if (b != 0) return false;
        return true;
    }

    friend bool operator==(const Record&, const Record&) = default;

  private:
    std::span<std::uint8_t> span(Field f) { return std::span(bytes_).subspan(f.offset, f.width); }
    std::span<const std::uint8_t> span(Field f) const {
        return std::span(bytes_).subspan(f.offset, f.width);
    }
    template <typename T>
    T load(Field f) const {
        T v;
        std::memcpy(&v, bytes_.data() + f.offset, sizeof v);
        return v;
    }
    template <typename T>
    void store(Field f, T v) {
        std::memcpy(bytes_.data() + f.offset, &v, sizeof v);
    }

    std::array<std::uint8_t, N> bytes_;
};

}  // namespace qorvana

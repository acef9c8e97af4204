#pragma once
// Fixed-length packed records of the suite's data files: fields back to back, text one
// Windows-1252 byte per character padded with blanks, 16-bit signed integers, IEEE singles
// and doubles, all little-endian. A record is held as its raw bytes; accessors read and
// write fields in place, so bytes of fields this program does not use are kept as read.

#include <array>
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

static_assert(std::endian::native == std::endian::little, "records are little-endian on disk");

namespace qorvana {

enum class FieldType : std::uint8_t { Text, Int16, Single, Double, Bytes };

// Where a field lies in a record and how it is encoded, whatever its layout.
struct FieldSpec {
    std::size_t offset;
    std::size_t width;
    FieldType type;
};

constexpr FieldSpec TextField(std::size_t offset, std::size_t width) {
    return {offset, width, FieldType::Text};
}
constexpr FieldSpec Int16Field(std::size_t offset) {
    return {offset, 2, FieldType::Int16};
}
constexpr FieldSpec SingleField(std::size_t offset) {
    return {offset, 4, FieldType::Single};
}
constexpr FieldSpec DoubleField(std::size_t offset) {
    return {offset, 8, FieldType::Double};
}
// Bytes this program carries without giving them a meaning.
constexpr FieldSpec CarriedField(std::size_t offset, std::size_t width) {
    return {offset, width, FieldType::Bytes};
}

// A field of layout L: only records of L accept it, so a field of one layout used on a
// record of another does not compile.
template <class L>
struct Field : FieldSpec {};

// One row of a layout table: the field's name, place and meaning.
struct FieldDef {
    const char* name;
    FieldSpec field;
    const char* meaning;
};

// A whole layout without its type, for record-dump and the layout tests: name, record
// length and its fields in offset order.
struct Layout {
    const char* name;
    std::size_t length;
    std::span<const FieldDef> fields;
};

// True when the fields lie back to back from offset 0 and end exactly at the record length.
constexpr bool FieldsCover(std::span<const FieldDef> fields, std::size_t length) {
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

// The layout table of L, the one place where its fields are declared (name, offset, width,
// type, meaning). The named field constants are looked up in it by name at compile time,
// and record-dump and the layout tests read it, so none of them can drift from it.
template <class L, std::size_t N>
struct FieldTable {
    std::array<FieldDef, N> defs;

    // The field called `name`; a name missing from the table does not compile.
    consteval Field<L> operator[](std::string_view name) const {
        for (const FieldDef& def : defs)
            if (name == def.name) return {def.field};
        throw "no field of this name in the layout";
    }
    // The typed field of a row of this table (a row of another table is a fault).
    constexpr Field<L> field(const FieldDef& def) const {
        assert(&def >= defs.data() && &def < defs.data() + N);
        return {def.field};
    }
    constexpr Layout layout(const char* name) const { return {name, L::kLength, defs}; }
    constexpr auto begin() const { return defs.begin(); }
    constexpr auto end() const { return defs.end(); }
};

// Declares the layout table of L; fields that do not lie back to back over exactly
// L::kLength bytes do not compile.
template <class L, std::size_t N>
consteval FieldTable<L, N> DeclareFields(const FieldDef (&defs)[N]) {
    FieldTable<L, N> table{std::to_array(defs)};
    if (!FieldsCover(table.defs, L::kLength)) throw "fields do not cover the record length";
    return table;
}

// The record length of a layout; each layout is a type of its own derived from this.
template <std::size_t Length>
struct RecordLayout {
    static constexpr std::size_t kLength = Length;
};

// Text of a field: Windows-1252 bytes turned to UTF-8, trailing blanks and NULs removed.
std::string DecodeText(std::span<const std::uint8_t> bytes);
// How many of a text field's bytes are its text: those before the trailing blanks and NULs.
inline std::size_t TextFieldLength(std::span<const std::uint8_t> bytes) {
    std::size_t end = bytes.size();
    // Blank padding eight bytes at a time first: a text field is mostly padding.
    constexpr std::uint64_t kEightBlanks = 0x2020202020202020;
    for (std::uint64_t word = 0; end >= 8; end -= 8) {
        std::memcpy(&word, bytes.data() + end - 8, 8);
        if (word != kEightBlanks) break;
    }
    while (end > 0 && (bytes[end - 1] == ' ' || bytes[end - 1] == 0)) --end;
    return end;
}
// Writes UTF-8 text into a field as Windows-1252, blank-padded. Characters Windows-1252
// cannot hold become "?". Returns false when the text was longer than the field (the field
// then holds its first `width` characters).
bool EncodeText(std::span<std::uint8_t> bytes, std::string_view utf8);

// The raw bytes of one record of layout L with typed field access.
template <class L>
class Record {
  public:
    static constexpr std::size_t kLength = L::kLength;

    Record() { bytes_.fill(0); }

    std::span<std::uint8_t, kLength> bytes() { return bytes_; }
    std::span<const std::uint8_t, kLength> bytes() const { return bytes_; }

    std::string text(Field<L> f) const { return DecodeText(span(f)); }
    bool setText(Field<L> f, std::string_view utf8) { return EncodeText(span(f), utf8); }

    std::int16_t int16(Field<L> f) const { return load<std::int16_t>(f); }
    void setInt16(Field<L> f, std::int16_t v) { store(f, v); }
    float single(Field<L> f) const { return load<float>(f); }
    void setSingle(Field<L> f, float v) { store(f, v); }
    double dbl(Field<L> f) const { return load<double>(f); }
    void setDouble(Field<L> f, double v) { store(f, v); }

    // Field `index` (0-based) of an array of equal fields starting at `first`.
    static constexpr Field<L> At(Field<L> first, std::size_t index) {
        return {{first.offset + index * first.width, first.width, first.type}};
    }

    bool isBlank() const {
        for (auto b : bytes_)
            if (b != 0) return false;
        return true;
    }

    // Sets every text field of the layout table to blanks (records are written
    // blank-padded, numbers 0).
    template <std::size_t N>
    void blankTexts(const FieldTable<L, N>& fields) {
        for (const FieldDef& def : fields)
            if (def.field.type == FieldType::Text) setText(fields.field(def), "");
    }

    friend bool operator==(const Record&, const Record&) = default;

  private:
    std::span<std::uint8_t> span(FieldSpec f) {
        return std::span(bytes_).subspan(f.offset, f.width);
    }
    std::span<const std::uint8_t> span(FieldSpec f) const {
        return std::span(bytes_).subspan(f.offset, f.width);
    }
    template <typename T>
    T load(FieldSpec f) const {
        T v;
        std::memcpy(&v, bytes_.data() + f.offset, sizeof v);
        return v;
    }
    template <typename T>
    void store(FieldSpec f, T v) {
        std::memcpy(bytes_.data() + f.offset, &v, sizeof v);
    }

    std::array<std::uint8_t, kLength> bytes_;
};

}  // namespace qorvana

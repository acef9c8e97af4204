#pragma once
// Golden records. Each layout's fields are written out in its test as the record's
// documentation gives them: offset, width, type and a value of the field's own. The test
// encodes every value into a record image at its own offsets, and each value must read back
// through the program's named field: a field the program places elsewhere, or two
// same-width fields swapped, read another field's value and fail. ExpectStored checks
// records the program writes the same way, byte for byte at the test's offsets.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <ranges>
#include <span>
#include <string>
#include <string_view>

#include "core/record.h"

namespace qorvana::test {

// A value as it lies in a record. Numbers are little-endian; texts are Windows-1252 bytes
// padded with blanks to the width. A carried field holds a byte pattern of its offset.
struct Stored {
    std::size_t offset;
    std::size_t width;
    FieldType type;  // Bytes: carried
    std::string_view text = {};
    double number = 0;
};

inline Stored Text(std::size_t offset, std::size_t width, std::string_view bytes) {
    return {offset, width, FieldType::Text, bytes};
}
inline Stored Int16(std::size_t offset, std::int16_t value) {
    return {offset, 2, FieldType::Int16, {}, static_cast<double>(value)};
}
inline Stored Single(std::size_t offset, float value) {
    return {offset, 4, FieldType::Single, {}, value};
}
inline Stored Double(std::size_t offset, double value) {
    return {offset, 8, FieldType::Double, {}, value};
}
inline Stored Carried(std::size_t offset, std::size_t width) {
    return {offset, width, FieldType::Bytes};
}

// Writes the value of `s` into `record` at the test's offset.
inline void Place(std::span<std::uint8_t> record, const Stored& s) {
    if (s.offset + s.width > record.size() || s.text.size() > s.width) {
        ADD_FAILURE() << "value at " << s.offset << " does not fit";
        return;
    }
    const auto little = [&](std::uint64_t bits) {
        for (std::size_t i = 0; i < s.width; ++i)
            record[s.offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    };
    switch (s.type) {
        case FieldType::Text:
            for (std::size_t i = 0; i < s.width; ++i)
                record[s.offset + i] =
                    static_cast<std::uint8_t>(i < s.text.size() ? s.text[i] : ' ');
            break;
        case FieldType::Int16:
            little(static_cast<std::uint16_t>(static_cast<std::int16_t>(s.number)));
            break;
        case FieldType::Single:
            little(std::bit_cast<std::uint32_t>(static_cast<float>(s.number)));
            break;
        case FieldType::Double:
            little(std::bit_cast<std::uint64_t>(s.number));
            break;
        case FieldType::Bytes:
            for (std::size_t i = 0; i < s.width; ++i)
                record[s.offset + i] = static_cast<std::uint8_t>(0x80 + (s.offset + i) % 0x7F);
            break;
    }
}

// The bytes at the place of `s`, shown as its type reads them (for failure messages).
inline std::string Shown(std::span<const std::uint8_t> record, const Stored& s) {
    const auto bytes = record.subspan(s.offset, s.width);
    std::uint64_t bits = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) bits = (bits << 8) | bytes[i];
    switch (s.type) {
        case FieldType::Text:
            return '"' + std::string(bytes.begin(), bytes.end()) + '"';
        case FieldType::Int16:
            return std::to_string(static_cast<std::int16_t>(bits));
        case FieldType::Single:
            return std::to_string(std::bit_cast<float>(static_cast<std::uint32_t>(bits)));
        case FieldType::Double:
            return std::to_string(std::bit_cast<double>(bits));
        case FieldType::Bytes:
            break;
    }
    return "carried bytes";
}

// Expects each value at its place in `record`, byte for byte (texts with their padding).
inline void ExpectStored(std::span<const std::uint8_t> record, std::span<const Stored> values) {
    std::vector<std::uint8_t> expected(record.begin(), record.end());
    for (const Stored& s : values) {
        Place(expected, s);
        if (s.offset + s.width > record.size()) continue;
        EXPECT_TRUE(std::ranges::equal(record.subspan(s.offset, s.width),
                                       std::span(expected).subspan(s.offset, s.width)))
            << "offset " << s.offset << ": " << Shown(record, s) << ", expected "
            << Shown(expected, s);
    }
}

// One field of a layout as documented, with the program's named field that holds it; or a
// run of carried bytes, which may span several of the program's carried fields.
template <class L>
struct Golden {
    using Layout = L;
    Golden(Field<L> f, Stored s, std::string_view r = {}) : field(f), at(s), read(r) {}
    Golden(Stored carried) : field{}, at(carried) {}  // implicit: {Carried(...)} in a table

    Field<L> field;
    Stored at;
    std::string_view read;  // what a text reads when its bytes are not plain ASCII
};

// Expects the field of `g` to lie where `g` says and to read its value in `image`.
template <class L>
void ExpectReads(const Record<L>& image, const Golden<L>& g) {
    EXPECT_EQ(g.field.offset, g.at.offset);
    EXPECT_EQ(g.field.width, g.at.width);
    EXPECT_EQ(g.field.type, g.at.type);
    switch (g.at.type) {
        case FieldType::Text:
            EXPECT_EQ(image.text(g.field), g.read.empty() ? g.at.text : g.read);
            break;
        case FieldType::Int16:
            EXPECT_EQ(image.int16(g.field), g.at.number);
            break;
        case FieldType::Single:
            EXPECT_EQ(image.single(g.field), static_cast<float>(g.at.number));
            break;
        case FieldType::Double:
            EXPECT_EQ(image.dbl(g.field), g.at.number);
            break;
        case FieldType::Bytes:
            break;
    }
}

// The golden rows of a layout in offset order: places every value in a record image, expects
// the program's layout table to hold the same fields at the same places (a carried run
// covering only fields the table calls carried), and every field to read its row's value
// through the program's named field. Returns the image.
template <class Rows>
auto ExpectGoldenRecord(const Rows& rows, const qorvana::Layout& layout) {
    using L = typename std::ranges::range_value_t<Rows>::Layout;
    Record<L> image;
    for (const auto& g : rows) Place(image.bytes(), g.at);
    EXPECT_EQ(layout.length, L::kLength);
    auto def = layout.fields.begin();
    for (const auto& g : rows) {
        SCOPED_TRACE(std::string(layout.name) + " offset " + std::to_string(g.at.offset));
        if (def == layout.fields.end() || def->field.offset != g.at.offset) {
            ADD_FAILURE() << "the layout table has no field at this offset";
            return image;
        }
        if (g.at.type != FieldType::Bytes) {
            EXPECT_EQ(def->field.width, g.at.width) << def->name;
            EXPECT_EQ(def->field.type, g.at.type) << def->name;
            ++def;
            ExpectReads(image, g);
            continue;
        }
        for (; def != layout.fields.end() && def->field.offset < g.at.offset + g.at.width; ++def)
            EXPECT_EQ(std::string_view(def->name).substr(0, 7), "carried") << def->name;
        const auto& last = *std::prev(def);
        EXPECT_EQ(last.field.offset + last.field.width, g.at.offset + g.at.width) << last.name;
    }
    EXPECT_TRUE(def == layout.fields.end()) << "fields beyond the golden rows: " << def->name;
    return image;
}

}  // namespace qorvana::test

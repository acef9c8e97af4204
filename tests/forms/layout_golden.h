#pragma once
// Helpers for the golden byte-image tests of record layouts: a record image written by hand
// (texts, little-endian integers and IEEE numbers spelt out as bytes) and a field-by-field
// re-encode through the layout, which must leave every byte as it was.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "startup/record.h"

namespace qorvana::test {

// Places hand-written bytes into a record image; unset bytes are blanks.
template <std::size_t N>
class Image {
  public:
    Image() {
        for (auto& b : record_.bytes()) b = ' ';
    }
    // Text as single bytes (ASCII or already Windows-1252), no padding.
    Image& text(std::size_t offset, std::string_view s) {
        for (std::size_t i = 0; i < s.size(); ++i)
            record_.bytes()[offset + i] = static_cast<std::uint8_t>(s[i]);
        return *this;
    }
    // Raw bytes in file order.
    Image& bytes(std::size_t offset, std::initializer_list<std::uint8_t> b) {
        std::size_t i = offset;
        for (auto v : b) record_.bytes()[i++] = v;
        return *this;
    }
    const Record<N>& record() const { return record_; }

  private:
    Record<N> record_;
};

// Decodes every field of `layout` and writes it back; the image must be unchanged.
template <std::size_t N>
void ExpectReencodeUnchanged(const Record<N>& original, const Layout& layout) {
    ASSERT_EQ(layout.length, N);
    Record<N> copy = original;
    for (const auto& def : layout.fields) {
        const Field f = def.field;
        switch (f.type) {
            case FieldType::Text:
                EXPECT_TRUE(copy.setText(f, original.text(f))) << def.name;
                break;
            case FieldType::Int16:
                copy.setInt16(f, original.int16(f));
                break;
            case FieldType::Single:
                copy.setSingle(f, original.single(f));
                break;
            case FieldType::Double:
                copy.setDouble(f, original.dbl(f));
                break;
            case FieldType::Bytes:
                break;
        }
    }
    for (std::size_t i = 0; i < N; ++i)
        EXPECT_EQ(copy.bytes()[i], original.bytes()[i]) << "byte " << i;
}

}  // namespace qorvana::test

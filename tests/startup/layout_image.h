#pragma once
// Hand-written byte images of records for the layout tests, and the re-encoding check.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "startup/record.h"

namespace qorvana::testing {

// Builds a record image byte by byte: blanks everywhere, then the given bytes.
template <std::size_t N>
class Image {
  public:
    Image() { std::ranges::fill(record_.bytes(), std::uint8_t{' '}); }
    // Windows-1252 bytes at `offset`, as written on disk.
    Image& put(std::size_t offset, std::string_view cp1252) {
        for (std::size_t i = 0; i < cp1252.size(); ++i)
            record_.bytes()[offset + i] = static_cast<std::uint8_t>(cp1252[i]);
        return *this;
    }
    Image& put(std::size_t offset, std::initializer_list<std::uint8_t> raw) {
        std::size_t i = offset;
        for (std::uint8_t b : raw) record_.bytes()[i++] = b;
        return *this;
    }
    const Record<N>& record() const { return record_; }

  private:
    Record<N> record_;
};

// Writes every field of the layout back with the value read from it; a layout with a wrong
// offset, width or byte order changes bytes.
template <std::size_t N>
void ExpectReencodingKeepsBytes(const Record<N>& original, const Layout& layout) {
    ASSERT_EQ(layout.length, N);
    Record<N> copy = original;
    for (const FieldDef& def : layout.fields) {
        const Field f = def.field;
        switch (f.type) {
            case FieldType::Text:
                copy.setText(f, copy.text(f));
                break;
            case FieldType::Int16:
                copy.setInt16(f, copy.int16(f));
                break;
            case FieldType::Single:
                copy.setSingle(f, copy.single(f));
                break;
            case FieldType::Double:
                copy.setDouble(f, copy.dbl(f));
                break;
            case FieldType::Bytes:
                break;
        }
    }
    for (std::size_t i = 0; i < N; ++i) EXPECT_EQ(copy.bytes()[i], original.bytes()[i]) << i;
}

}  // namespace qorvana::testing

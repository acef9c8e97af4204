#pragma once
// Golden byte-image tests of record layouts: a record image written by hand, re-encoded field
// by field through the layout into a fresh record, must give the same bytes.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "core/record.h"

namespace qorvana::test {

// Places hand-written bytes into a record image; unset bytes hold `fill` (blanks by default).
template <class L>
class Image {
  public:
    explicit Image(std::uint8_t fill = ' ') { std::ranges::fill(record_.bytes(), fill); }

    // Text as single bytes (ASCII or already Windows-1252), no padding.
    Image& text(std::size_t offset, std::string_view s) {
        for (std::size_t i = 0; i < s.size(); ++i)
            record_.bytes()[offset + i] = static_cast<std::uint8_t>(s[i]);
        return *this;
    }
    // Text padded with blanks to `width`.
    Image& text(std::size_t offset, std::size_t width, std::string_view s) {
        for (std::size_t i = 0; i < width; ++i)
            record_.bytes()[offset + i] = i < s.size() ? static_cast<std::uint8_t>(s[i]) : ' ';
        return *this;
    }
    // Raw bytes in file order.
    Image& bytes(std::size_t offset, std::initializer_list<std::uint8_t> b) {
        std::size_t i = offset;
        for (auto v : b) record_.bytes()[i++] = v;
        return *this;
    }
    Image& word(std::size_t offset, std::int16_t v) {
        return little(offset, static_cast<std::uint16_t>(v), 2);
    }
    Image& dbl(std::size_t offset, double v) {
        return little(offset, std::bit_cast<std::uint64_t>(v), 8);
    }
    Image& single(std::size_t offset, float v) {
        return little(offset, std::bit_cast<std::uint32_t>(v), 4);
    }

    const Record<L>& record() const { return record_; }

  private:
    Image& little(std::size_t offset, std::uint64_t bits, std::size_t width) {
        for (std::size_t i = 0; i < width; ++i)
            record_.bytes()[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
        return *this;
    }
    Record<L> record_;
};

// A text written by hand at its offset, the field that must read it, and what the field
// reads when the bytes are not plain ASCII.
struct GoldenText {
    std::size_t offset;
    FieldSpec field;
    std::string_view bytes;
    std::string_view read = {};
};

// Places every text in the image, then expects each field to read its text back.
template <class L, std::size_t Count>
void PlaceAndReadTexts(Image<L>& image, const GoldenText (&texts)[Count]) {
    for (const auto& t : texts) image.text(t.offset, t.bytes);
    for (const auto& t : texts)
        EXPECT_EQ(DecodeText(image.record().bytes().subspan(t.field.offset, t.field.width)),
                  t.read.empty() ? t.bytes : t.read)
            << t.offset;
}

// A fresh record holding every field of `layout` as decoded from `from`: texts decoded and
// encoded again, numbers and carried bytes copied as they are.
template <class L>
Record<L> ReEncoded(const Record<L>& from, const Layout& layout) {
    Record<L> to;
    for (const auto& def : layout.fields) {
        const FieldSpec f = def.field;
        const auto source = from.bytes().subspan(f.offset, f.width);
        if (f.type == FieldType::Text)
            EXPECT_TRUE(EncodeText(to.bytes().subspan(f.offset, f.width), DecodeText(source)))
                << def.name;
        else
            std::ranges::copy(source, to.bytes().begin() + f.offset);
    }
    return to;
}

// Re-encoding through the layout leaves every byte of the image as it was: a wrong offset,
// width or byte order changes bytes.
template <class L>
void ExpectReencodeUnchanged(const Record<L>& original, const Layout& layout) {
    ASSERT_EQ(layout.length, L::kLength);
    const Record<L> copy = ReEncoded(original, layout);
    for (std::size_t i = 0; i < L::kLength; ++i)
        EXPECT_EQ(copy.bytes()[i], original.bytes()[i]) << "byte " << i;
}

}  // namespace qorvana::test

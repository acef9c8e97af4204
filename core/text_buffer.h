#pragma once
// The texts of a list of thousands of records in one buffer: a few allocations, not a string a
// text. The buffer grows by doubling and is never zero-filled, so that a plain-ASCII field is
// copied whole, padding included, and only its text kept. Moving the buffer does not move its
// texts: views into it stay valid as long as nothing more is appended.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "core/cp1252.h"
#include "core/record.h"

namespace qorvana {

class TextBuffer {
  public:
    // A text in the buffer.
    struct Text {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };
    // A text and its upper case (UpperCase); the key is the text itself when upper-casing
    // leaves it unchanged.
    struct TextAndKey {
        Text text;
        Text key;
    };

    std::string_view view(Text t) const { return {data_.get() + t.offset, t.length}; }
    std::size_t size() const { return size_; }
    // Drops the texts appended since the buffer had `size` bytes.
    void truncate(std::size_t size) { size_ = std::min(size, size_); }
    // Makes room for `n` more bytes at once, so that appending them copies nothing.
    void reserve(std::size_t n) { room(n); }

    Text append(std::string_view text) {
        std::memcpy(room(text.size()), text.data(), text.size());
        return keep(text.size());
    }

    // A record's text field as DecodeText gives it.
    template <std::size_t Width>
    Text appendField(std::span<const std::uint8_t, Width> bytes) {
        const std::string_view raw(reinterpret_cast<const char*>(bytes.data()), Width);
        if (!IsAscii(raw)) return appendDecoded(raw.substr(0, TextFieldLength(bytes)));
        // Plain ASCII is its own UTF-8.
        std::memcpy(room(Width), raw.data(), Width);
        return keep(TextFieldLength(bytes));
    }

    // The same and its upper-case key; a plain-ASCII field is upper-cased whole, eight bytes
    // at a time, and its key follows its text.
    template <std::size_t Width>
    TextAndKey appendFieldAndKey(std::span<const std::uint8_t, Width> bytes) {
        static_assert(Width >= 8);
        const auto* raw = reinterpret_cast<const char*>(bytes.data());
        const std::size_t length = TextFieldLength(bytes);
        char* out = room(length + Width);
        bool changed = false;
        if (!AsciiUpperWords(raw, Width, out + length, changed)) {
            const Text text = appendDecoded({raw, length});
            return {text, appendUpper(text)};
        }
        std::memcpy(out, raw, length);
        const Text text = keep(length);
        return {text, changed ? keep(length) : text};
    }

    // The upper-case key of a text already in the buffer.
    Text appendUpper(Text text) {
        const std::string upper = UpperCase(view(text));
        return upper == view(text) ? text : append(upper);
    }

  private:
    // Windows-1252 bytes as UTF-8.
    Text appendDecoded(std::string_view cp1252) {
        char* out = room(3 * cp1252.size());
        return keep(static_cast<std::size_t>(WriteCp1252AsUtf8(cp1252, out) - out));
    }
    char* room(std::size_t n) {
        if (capacity_ - size_ < n) grow(n);
        return data_.get() + size_;
    }
    void grow(std::size_t n);
    Text keep(std::size_t length) {
        const Text t{static_cast<std::uint32_t>(size_), static_cast<std::uint32_t>(length)};
        size_ += length;
        return t;
    }

    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

}  // namespace qorvana

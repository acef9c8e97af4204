#include "core/text_buffer.h"

namespace qorvana {

void TextBuffer::grow(std::size_t n) {
    const std::size_t capacity = std::max(2 * capacity_, size_ + n);
    auto grown = std::make_unique_for_overwrite<char[]>(capacity);
    if (size_ > 0) std::memcpy(grown.get(), data_.get(), size_);
    data_ = std::move(grown);
    capacity_ = capacity;
}

}  // namespace qorvana

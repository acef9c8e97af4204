#pragma once
// An XML file composed line by line: two blanks of indentation per level, CR LF after every
// line, an element with a value on one line.

#include <string>
#include <string_view>

namespace qorvana {

class XmlLines {
  public:
    explicit XmlLines(std::size_t expectedSize = 0) { out_.reserve(expectedSize); }

    // A line as given, without indentation (the prolog).
    void raw(std::string_view line);
    // "<tag>" at the current level; what follows goes one level deeper.
    void open(std::string_view tag);
    // Back one level, then "</tag>".
    void close(std::string_view tag);
    // "<tag>value</tag>" at the current level; `escaped` is already XML-escaped.
    void element(std::string_view tag, std::string_view escaped);
    // "<tag>value</tag>", escaping `value` on the way.
    void elementText(std::string_view tag, std::string_view value);
    // Moves the indentation without writing (after a start tag written with raw()).
    void enter() { ++level_; }

    const std::string& text() const { return out_; }
    std::string take() { return std::move(out_); }

  private:
    void indent();
    std::string out_;
    int level_ = 0;
};

}  // namespace qorvana

#pragma once
// The document's lines in memory: lines 1 to 500, slot 0 kept as scratch space.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qorvana {

struct DocumentLine {
    std::int16_t articleRecord = 0;  // record in qorvana.art; 0 for a free line
    std::string reference;           // 15 characters; not filled by line entry
    std::string code;                // 15 characters
    std::string description;         // 60 characters
    std::string unit;                // 2 characters
    std::int16_t vatCode = 0;        // 0 = none yet; 1..24
    double quantity = 0;             // 0 and -9999 are markers (price-only line)
    double quantityMoved = 0;        // already taken from stock by an imported delivery note
    double unitPrice = 0;
    std::int16_t discount1 = 0;  // whole percent
    std::int16_t discount2 = 0;
    double extra1 = 0;  // not used by line entry; kept
    double unitWeight = 0;
    double extra2 = 0;  // not used by line entry; kept

    // A line is in use when it has an article, a description, a quantity or a price.
    bool inUse() const;
    // False for the quantity markers 0 and -9999 of a price-only line.
    bool countsQuantity() const { return quantity != 0 && quantity != -9999; }
};

class LineTable {
  public:
    static constexpr int kLines = 500;

    DocumentLine& operator[](int n) { return lines_.at(static_cast<std::size_t>(n)); }
    const DocumentLine& operator[](int n) const { return lines_.at(static_cast<std::size_t>(n)); }

    void clear();
    // Number of the last line in use, 0 when none.
    int lastUsed() const;

    // Inserts an empty line at n (1..500), moving n..499 down. Refused (false, nothing
    // changed) when line 500 is in use, so no line is ever pushed out of the table.
    bool insertAt(int n);
    // Deletes line n (1..500): the lines below move up and line 500 becomes empty. Returns
    // the line deleted.
    DocumentLine removeAt(int n);
    // Puts a deleted line back at n, as insertAt makes room for it; false when there is none.
    bool putBackAt(int n, DocumentLine line);
    // Sorts lines 1..500 by code, ascending; lines without a code go after every code and
    // keep their order among themselves.
    void reorder();

  private:
    std::array<DocumentLine, kLines + 1> lines_{};
};

// A discount as typed: a whole percent, a fraction rounded to the nearest (ties to even).
// Above 100 would make the line negative; a negative discount is a surcharge and stays.
// Malformed: the text is not a number (ReadTypedNumber).
enum class DiscountFault { None, Malformed, BeyondNumbers, BeyondRange, AboveHundred };
struct TypedDiscount {
    std::int16_t percent = 0;
    DiscountFault fault = DiscountFault::None;  // BeyondRange: outside -32768..32767
};
TypedDiscount ParseDiscount(std::string_view typed);

// The line's VAT code as the arithmetic and every rate look-up take it: outside 1..24 is 1.
inline int NormalisedVatCode(int code) {
    return code < 1 || code > 24 ? 1 : code;
}

}  // namespace qorvana

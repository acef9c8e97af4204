#include "document/line_table.h"

#include <algorithm>
#include <cmath>

#include "core/money.h"
#include "core/numbers.h"

namespace qorvana {

bool DocumentLine::inUse() const {
    return articleRecord != 0 || !description.empty() || !code.empty() || quantity != 0 ||
           unitPrice != 0;
}

void LineTable::clear() {
    lines_.fill(DocumentLine{});
}

int LineTable::lastUsed() const {
    for (int n = kLines; n >= 1; --n)
        if ((*this)[n].inUse()) return n;
    return 0;
}

bool LineTable::insertAt(int n) {
    if (n < 1 || n > kLines || (*this)[kLines].inUse()) return false;
    std::move_backward(lines_.begin() + n, lines_.begin() + kLines, lines_.begin() + kLines + 1);
    (*this)[n] = DocumentLine{};
    return true;
}

DocumentLine LineTable::removeAt(int n) {
    if (n < 1 || n > kLines) return {};
    DocumentLine removed = std::move((*this)[n]);
    std::move(lines_.begin() + n + 1, lines_.end(), lines_.begin() + n);
    (*this)[kLines] = DocumentLine{};
    return removed;
}

bool LineTable::putBackAt(int n, DocumentLine line) {
    if (!insertAt(n)) return false;
    (*this)[n] = std::move(line);
    return true;
}

void LineTable::reorder() {
    // An empty code compares as the highest character, so free lines go to the end.
    std::stable_sort(lines_.begin() + 1, lines_.end(),
                     [](const DocumentLine& a, const DocumentLine& b) {
                         if (a.code.empty() || b.code.empty())
                             return !a.code.empty() && b.code.empty();
                         return a.code < b.code;
                     });
}

TypedDiscount ParseDiscount(std::string_view typed) {
    const TypedNumber value = ReadTypedNumber(typed);
    if (value.fault == NumberFault::Malformed) return {0, DiscountFault::Malformed};
    if (value.fault == NumberFault::BeyondNumbers) return {0, DiscountFault::BeyondNumbers};
    const auto percent = ToInt16(std::nearbyint(value.value));
    if (!percent) return {0, DiscountFault::BeyondRange};
    if (*percent > 100) return {0, DiscountFault::AboveHundred};
    return {*percent, DiscountFault::None};
}

}  // namespace qorvana

#include "document/payment_terms.h"

#include <string_view>

#include "core/numbers.h"
#include "core/tab_file.h"
#include "core/text.h"

namespace qorvana {
namespace {

// Characters at 1-based positions first..last of `code`, empty past its end.
std::string_view Positions(std::string_view code, std::size_t first, std::size_t last) {
    if (first > code.size()) return {};
    return code.substr(first - 1, last - first + 1);
}

int FieldValue(std::string_view code, std::size_t first, std::size_t last) {
    return ToInt16OrZero(Val(Positions(code, first, last)));
}

const std::string kEmpty;

}  // namespace

PaymentCode PaymentCode::Parse(const std::string& code) {
    PaymentCode p;
    for (std::size_t i = 0; i < p.months.size(); ++i)
        p.months[i] = FieldValue(code, 1 + 3 * i, 3 + 3 * i);
    p.endOfMonth = Positions(code, 19, 19) == "F";
    p.afterDay = FieldValue(code, 20, 22);
    p.paymentModeDigit = FieldValue(code, 23, 23);
    p.postpone = Positions(code, 24, 24) == "1";
    p.postponedDay = code.size() >= 25 ? ToInt16OrZero(Val(std::string_view(code).substr(24))) : 0;
    return p;
}

bool PaymentTerms::anyOffered() const {
    for (int row = 1; row <= kTerms; ++row)
        if (offered(row)) return true;
    return false;
}

int PaymentCode::instalments() const {
    int n = 1;
    for (std::size_t i = 1; i < months.size(); ++i)
        if (months[i] > 0) ++n;
    return n;
}

PaymentTerms PaymentTerms::FromTab(const TabFile& tab) {
    PaymentTerms terms;
    for (int row = 1; row <= kTerms; ++row) {
        const int line = TabFile::PaymentTermLine(row);
        terms.description_[row] = Trim(tab.line(line), kBlanksAndTabs);
        terms.code_[row] = TrimRight(tab.line(line + 1), kBlanksAndTabs);
    }
    return terms;
}

PaymentTerms PaymentTerms::FromRows(const std::array<std::array<std::string, 2>, kTerms>& rows) {
    PaymentTerms terms;
    for (int row = 1; row <= kTerms; ++row) {
        terms.description_[row] = Trim(rows[row - 1][0], kBlanksAndTabs);
        terms.code_[row] = TrimRight(rows[row - 1][1], kBlanksAndTabs);
    }
    return terms;
}

const std::string& PaymentTerms::description(int row) const {
    return row >= 1 && row <= kTerms ? description_[row] : kEmpty;
}

const std::string& PaymentTerms::code(int row) const {
    return row >= 1 && row <= kTerms ? code_[row] : kEmpty;
}

int PaymentTerms::ListEntryOf(int condition) {
    return condition >= 1 && condition <= kTerms ? condition - 1 : 0;
}

}  // namespace qorvana

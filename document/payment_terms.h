#pragma once
// The 60 payment conditions of qorvana.tab: a description (Combo1, row r is list entry r - 1)
// and a condition code read at fixed 1-based positions:
//   1-18  months after the document date of instalments 1 to 6, three digits each
//         (0 for instalments 2 to 6: no such instalment)
//   19    "F": due at the end of the month
//   20-22 with "F": day of the following month (0: the end of the month itself)
//   23    payment mode digit d of the electronic invoice (d + 1: 1 RIBA, 2 bonifico,
//         3 contanti, 4 RID, other assegno)
//   24    row 1: "1" moves August instalments to September; row 2: "1" moves December
//         instalments to January of the next year
//   25-   with position 24 = "1": the day of September / January to use
// The code is trimmed on the right only, so the positions never shift.

#include <array>
#include <string>

namespace qorvana {

class TabFile;

// One condition code taken apart.
struct PaymentCode {
    std::array<int, 6> months{};
    bool endOfMonth = false;
    int afterDay = 0;
    int paymentModeDigit = 0;
    bool postpone = false;  // position 24 is "1"
    int postponedDay = 0;   // numeric value from position 25 on

    static PaymentCode Parse(const std::string& code);
    // Number of instalments: 1 plus each of instalments 2 to 6 with months > 0.
    int instalments() const;
};

class PaymentTerms {
  public:
    static constexpr int kTerms = 60;

    static PaymentTerms FromTab(const TabFile& tab);
    // For tests: row r of `rows` (index r - 1) = {description, code}.
    static PaymentTerms FromRows(const std::array<std::array<std::string, 2>, kTerms>& rows);

    // Row 1..60; empty text outside.
    const std::string& description(int row) const;
    const std::string& code(int row) const;
    PaymentCode parsed(int row) const { return PaymentCode::Parse(code(row)); }
    // True when row 1..60 has a description, so that the operator may choose it.
    bool offered(int row) const { return !description(row).empty(); }
    // True when at least one row may be chosen.
    bool anyOffered() const;
    // The list entry (0..59) of a customer's condition number; 0 outside 1..60.
    static int ListEntryOf(int condition);

  private:
    std::array<std::string, kTerms + 1> description_{};
    std::array<std::string, kTerms + 1> code_{};
};

}  // namespace qorvana

#pragma once
// One journal entry as the registration form holds it: movement date, description, document
// reference and ten lines, each an account code with a debit ("Dare") and a credit ("Avere")
// amount.

#include <array>
#include <string>

namespace qorvana {

struct EntryLine {
    std::string code;  // the account code, 8 digits (cn1 & cn2 & cn3); empty for none
    double dare = 0;
    double avere = 0;

    bool hasAmount() const { return dare != 0 || avere != 0; }
    bool operator==(const EntryLine&) const = default;
};

struct JournalEntry {
    static constexpr int kLines = 10;

    std::string date;         // text2, "dd/mm/yyyy"
    std::string description;  // Text1(0)
    std::string reference;    // Text1(1)
    std::array<EntryLine, kLines> lines{};

    bool operator==(const JournalEntry&) const = default;
};

}  // namespace qorvana

#pragma once
// The natures of an amount without VAT in an e-invoice (Natura of DettaglioLinee and
// DatiRiepilogo) and what Italian law makes of each, one row a nature, each decision with its
// source. docs/einvoice-rules.md explains the rows.

#include <span>
#include <string_view>

namespace qorvana {

struct NatureRule {
    std::string_view code;     // "N3.1"
    std::string_view meaning;  // as the technical rules name it
    // The amounts of this nature count towards the stamp duty (2,00 on the amounts not
    // subject to VAT above 77,47): false where a law exempts the invoice or VAT applies.
    bool bearsStampDuty;
    std::string_view stampDutySource;
};

// Every nature the 1.2.3 format knows, the withdrawn bare N2, N3 and N6 included.
std::span<const NatureRule> NatureRules();
// The row of `code`; nullptr for a code the table does not hold.
const NatureRule* NatureRuleOf(std::string_view code);

}  // namespace qorvana

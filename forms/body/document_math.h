#pragma once
// The document recomputation: lines to VAT breakdown, totals, withholding and weight.

#include <array>
#include <string>

#include "forms/body/line_table.h"
#include "startup/money.h"

namespace qorvana {

class TabFile;

// VAT and withholding ("Rit.Acconto") rates of codes 1..16, as texts and as numbers.
struct VatTable {
    std::array<std::string, 17> rateText{};
    std::array<std::string, 17> withholdingText{};
    std::array<double, 17> rate{};
    std::array<double, 17> withholding{};

    static VatTable FromTab(const TabFile& tab);
    // Rate of a line's VAT code (normalised; codes 17..24 have rate 0).
    double rateOf(int vatCode) const;
};

// VAT breakdown: slots 1..16 (0 unused), columns 0 taxable, 1 VAT, 2 outside VAT.
using VatBreakdown = std::array<std::array<double, 3>, 17>;

struct DocumentFigures {
    VatBreakdown breakdown{};
    double taxableTotal = 0;   // columns 0 + 2
    double documentTotal = 0;  // columns 0 + 1 + 2
    double totalQuantity = 0;
    double totalWeight = 0;
    double withholdingAmount = 0;
    double withholdingBase = 0;

    // Sums over slots 1..12 used on confirmation.
    double taxableWithVat() const;  // column 0
    double vatTotal() const;        // column 1
    double outsideVat() const;      // column 2
    double netToPay() const { return documentTotal - withholdingAmount; }
};

// Recomputes the whole document. `vatInclusive` is the scorporo box.
DocumentFigures RecomputeDocument(const LineTable& lines, const VatTable& vat, bool vatInclusive,
                                  const Money& money);

}  // namespace qorvana

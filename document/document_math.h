#pragma once
// The document recomputation: lines to VAT breakdown, totals, withholding and weight.

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "core/money.h"
#include "document/line_table.h"

namespace qorvana {

class TabFile;

// VAT and withholding ("Rit.Acconto") rates of codes 1..16, as texts and as numbers.
struct VatTable {
    std::array<std::string, 17> rateText{};
    std::array<std::string, 17> withholdingText{};
    std::array<double, 17> rate{};
    std::array<double, 17> withholding{};
    // Exemption descriptions of entries 0..16 (codes 13..24 use entry code - 12).
    std::array<std::string, 17> exemptionText{};

    // False when qorvana.tab was missing or unreadable: no code has a rate.
    bool loaded = false;

    static VatTable FromTab(const TabFile& tab);
    // True when the table defines code 1..24: a rate for a taxable code (1..12), an
    // exemption text for codes 13..24.
    bool defines(int vatCode) const;
    // Rate of a line's VAT code (normalised; codes 17..24 have rate 0; a rate of -100 or
    // less, or a non-finite one, counts as 0).
    double rateOf(int vatCode) const;
    // Withholding rate of code k (1..16); 0 otherwise.
    double withholdingOf(int code) const;
    // The entries of the VAT code chooser, one per code the table defines: the code and its
    // text.
    std::vector<std::pair<int, std::string>> chooserItems() const;
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
    // The virtual stamp duty charged to the customer (0 or 2,00): already in column 2 of its
    // exemption slot and in the totals (document/einvoice_amounts.h).
    double stampDuty = 0;
    bool overflow = false;  // a line or slot amount was infinite or undefined

    // Sums over slots 1..12 used on confirmation.
    double taxableWithVat() const;  // column 0
    double vatTotal() const;        // column 1
    double outsideVat() const;      // column 2
    double netToPay() const { return documentTotal - withholdingAmount; }
    // False when a line held a number that made the totals infinite or undefined.
    bool finite() const;
    // A document total that rounds to zero in the currency mode.
    bool zeroTotal(const Money& money) const;
};

// A line's amount before and after its two cascaded discounts: unit price x quantity
// rounded, or the unit price alone when the quantity is a marker (0 or -9999).
struct LineAmount {
    double gross = 0;
    double net = 0;
};
LineAmount LineAmountOf(const DocumentLine& line, const Money& money);
// The first priced line whose (normalised) VAT code is taxable but has no rate in the table;
// 0 when none. Such a line would be taxed at 0 %.
int FirstLineWithoutRate(const LineTable& lines, const VatTable& vat);

// Recomputes the whole document. `vatInclusive` is the scorporo box.
DocumentFigures RecomputeDocument(const LineTable& lines, const VatTable& vat, bool vatInclusive,
                                  const Money& money);

// " " followed by the formatted amount (just " " for zero): labels and total boxes.
std::string AmountText(const Money& money, double amount);
// The amount as its total box shows it (rounded as formatting rounds): the amount due the
// header's instalments are split from and checked against.
double ShownAmount(const Money& money, double amount);
// " " followed by the quantity as plain decimal text, itself with a leading blank when not
// negative.
std::string QuantityText(double quantity);
// Total weight for the start form: "###,###,##0.###" with a fractional part, else
// "###,###,##0", Italian separators; empty for a non-finite weight.
std::string WeightText(double weight);

}  // namespace qorvana

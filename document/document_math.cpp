#include "document/document_math.h"

#include <cmath>
#include <cstdio>

#include "core/numbers.h"
#include "core/tab_file.h"
#include "core/text.h"

namespace qorvana {
namespace {

constexpr int kTaxableCodes = 12;

std::string TwoDigits(int code) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", code);
    return buf;
}

double SafeRate(double r) {
    return std::isfinite(r) && r > -100 ? r : 0;
}

}  // namespace

VatTable VatTable::FromTab(const TabFile& tab) {
    VatTable t;
    t.loaded = tab.loaded();
    for (int code = 1; code <= 16; ++code) {
        const int first = TabFile::VatCodeLine(code);
        t.rateText[code] = Trim(tab.line(first));
        t.withholdingText[code] = Trim(tab.line(first + 1));
        t.rate[code] = Val(t.rateText[code]);
        t.withholding[code] = Val(t.withholdingText[code]);
    }
    for (int entry = 0; entry <= 16; ++entry)
        t.exemptionText[entry] = Trim(tab.item(TabFile::ExemptionLine(entry), 0));
    return t;
}

double VatTable::rateOf(int vatCode) const {
    const int code = NormalisedVatCode(vatCode);
    return code <= 16 ? SafeRate(rate[code]) : 0;
}

double VatTable::withholdingOf(int code) const {
    if (code < 1 || code > 16 || !std::isfinite(withholding[code])) return 0;
    return withholding[code];
}

bool VatTable::defines(int vatCode) const {
    if (vatCode >= 1 && vatCode <= kTaxableCodes) return !rateText[vatCode].empty();
    if (vatCode > kTaxableCodes && vatCode <= 24) return !exemptionText[vatCode - 12].empty();
    return false;
}

std::vector<std::pair<int, std::string>> VatTable::chooserItems() const {
    std::vector<std::pair<int, std::string>> items;
    for (int code = 1; code <= 24; ++code) {
        if (!defines(code)) continue;
        std::string item = code <= kTaxableCodes ? TwoDigits(code) + " Iva " + rateText[code] + "%"
                                                 : TwoDigits(code) + " " + exemptionText[code - 12];
        if (code <= kTaxableCodes && withholdingOf(code) > 0)
            item += " - Rit.Acconto " + withholdingText[code] + "%";
        items.emplace_back(code, std::move(item));
    }
    return items;
}

int FirstLineWithoutRate(const LineTable& lines, const VatTable& vat) {
    for (int n = 1; n <= LineTable::kLines; ++n) {
        const int code = NormalisedVatCode(lines[n].vatCode);
        if (lines[n].unitPrice != 0 && code <= kTaxableCodes && !vat.defines(code)) return n;
    }
    return 0;
}

double DocumentFigures::taxableWithVat() const {
    double sum = 0;
    for (int k = 1; k <= kTaxableCodes; ++k) sum += breakdown[k][0];
    return sum;
}

double DocumentFigures::vatTotal() const {
    double sum = 0;
    for (int k = 1; k <= kTaxableCodes; ++k) sum += breakdown[k][1];
    return sum;
}

double DocumentFigures::outsideVat() const {
    double sum = 0;
    for (int k = 1; k <= kTaxableCodes; ++k) sum += breakdown[k][2];
    return sum;
}

bool DocumentFigures::finite() const {
    return !overflow && std::isfinite(documentTotal) && std::isfinite(taxableTotal) &&
           std::isfinite(totalQuantity) && std::isfinite(totalWeight) &&
           std::isfinite(withholdingAmount);
}

bool DocumentFigures::zeroTotal(const Money& money) const {
    return money.RoundAmount(documentTotal) == 0;
}

LineAmount LineAmountOf(const DocumentLine& line, const Money& money) {
    LineAmount a;
    a.gross =
        line.countsQuantity() ? money.RoundAmount(line.unitPrice * line.quantity) : line.unitPrice;
    a.net = a.gross;
    // A discount of 0 takes nothing off: PercentOf(a, 0) is 0.
    if (line.discount1 != 0) a.net = a.net - money.PercentOf(a.net, line.discount1);
    if (line.discount2 != 0) a.net = a.net - money.PercentOf(a.net, line.discount2);
    return a;
}

DocumentFigures RecomputeDocument(const LineTable& lines, const VatTable& vat, bool vatInclusive,
                                  const Money& money) {
    DocumentFigures f;
    auto& b = f.breakdown;
    for (int n = 1; n <= LineTable::kLines; ++n) {
        const DocumentLine& line = lines[n];
        if (line.countsQuantity()) {
            f.totalQuantity += line.quantity;
            f.totalWeight += line.unitWeight * line.quantity;
        }
        const double amount = LineAmountOf(line, money).net;
        if (!std::isfinite(amount) || !std::isfinite(line.unitPrice * line.quantity))
            f.overflow = true;
        const int code = NormalisedVatCode(line.vatCode);
        if (code < 13)
            b[code][0] += amount;
        else
            b[code - 12][2] += amount;
    }

    for (int k = 1; k <= kTaxableCodes; ++k) {
        const double rate = vat.rateOf(k);
        if (!vatInclusive) {
            b[k][1] = money.PercentOfRoundedUp(b[k][0], rate);
        } else if (b[k][0] == 0) {
            b[k][0] = 0;
            b[k][1] = 0;
        } else {
            const double gross = b[k][0];
            const double factor = (100 + rate) / 100;
            const double net = money.euro() ? TruncateCents(gross / factor + 0.005)
                                            : std::floor(gross / factor - 0.5 + 0.51);
            b[k][1] = gross - net;
            b[k][0] = gross - b[k][1];
        }
    }

    for (int k = 1; k <= kTaxableCodes; ++k)
        for (double& cell : b[k]) {
            // Rounding would turn an overflow into 0: note it first.
            if (!std::isfinite(cell * 100)) f.overflow = true;
            cell = money.RoundAmount(cell);
        }

    for (int k = 1; k <= kTaxableCodes; ++k) {
        f.taxableTotal += b[k][0] + b[k][2];
        f.documentTotal += b[k][0] + b[k][1] + b[k][2];
    }

    // Withholding: on the taxable column, code by code, each part rounded by itself.
    for (int k = 1; k <= kTaxableCodes; ++k) {
        const double r = vat.withholdingOf(k);
        if (r > 0 && b[k][0] != 0) {
            f.withholdingAmount += money.PercentOf(b[k][0], r);
            f.withholdingBase += b[k][0];
        }
    }
    return f;
}

std::string AmountText(const Money& money, double amount) {
    return " " + money.FormatAmount(amount);
}

double ShownAmount(const Money& money, double amount) {
    return ParseNumber(money.FormatAmount(amount));
}

std::string QuantityText(double quantity) {
    return std::string(quantity < 0 ? " " : "  ") + PlainNumberText(quantity);
}

std::string WeightText(double weight) {
    // "###,###,##0.###": up to three decimals, shown only when there is a fraction.
    std::string text = FormatGrouped(weight, 3);
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == ',') text.pop_back();
    return text;
}

}  // namespace qorvana

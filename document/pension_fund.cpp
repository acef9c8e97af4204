#include "document/pension_fund.h"

#include "core/numbers.h"
#include "core/text.h"

namespace qorvana {

std::string FundLineDescription(const PensionFund& fund) {
    std::string rate = PlainNumberText(fund.rate);
    for (char& c : rate)
        if (c == '.') c = ',';
    return (fund.type == "TC22" ? "Rivalsa INPS " : "Contributo integrativo ") + rate + " %";
}

bool IsFundLine(const DocumentLine& line) {
    return line.reference.starts_with(kFundLineMark);
}

int FundLineOf(const LineTable& lines) {
    for (int n = 1; n <= LineTable::kLines; ++n)
        if (IsFundLine(lines[n])) return n;
    return 0;
}

double FundBase(const LineTable& lines, const PensionFund& fund, const VatTable& vat,
                bool vatInclusive, const Money& money) {
    // The fees' amounts without VAT are those of the document computed without the fund line.
    LineTable fees = lines;
    for (int n = 1; n <= LineTable::kLines; ++n)
        if (IsFundLine(fees[n])) fees[n] = DocumentLine{};
    const DocumentFigures f = RecomputeDocument(fees, vat, vatInclusive, money);
    double base = 0;
    for (int k = 1; k <= 12; ++k) {
        if (fund.baseCodes[static_cast<std::size_t>(k)]) base += f.breakdown[k][0];
        if (fund.baseCodes[static_cast<std::size_t>(k + 12)]) base += f.breakdown[k][2];
    }
    return money.RoundAmount(base);
}

bool UpdateFundLine(LineTable& lines, const PensionFund& fund, const VatTable& vat,
                    bool vatInclusive, const Money& money, bool last) {
    bool changed = false;
    int at = 0;
    for (int n = LineTable::kLines; n >= 1; --n) {
        if (!IsFundLine(lines[n])) continue;
        if (at != 0) {
            lines.removeAt(at);
            changed = true;
        }
        at = n;
    }
    const double base = fund.active() ? FundBase(lines, fund, vat, vatInclusive, money) : 0;
    if (!(base > 0)) {
        if (at != 0) lines.removeAt(at);
        return changed || at != 0;
    }
    if (at != 0 && last && at != lines.lastUsed()) {
        lines.removeAt(at);
        at = 0;
    }
    if (at == 0) {
        at = lines.lastUsed() + 1;
        if (at > LineTable::kLines) return changed;  // no room: the document has 500 lines
        changed = true;
    }
    const int code = fund.vatCode;
    const double contribution = money.PercentOf(base, fund.rate);
    const double price = vatInclusive && code <= 12
                             ? money.RoundAmount(contribution * (100 + vat.rateOf(code)) / 100)
                             : contribution;
    DocumentLine line;
    line.reference = std::string(kFundLineMark) + " " + fund.type;
    line.description = FundLineDescription(fund);
    line.vatCode = static_cast<std::int16_t>(code);
    line.unitPrice = price;
    const DocumentLine& now = lines[at];
    if (now.reference != line.reference || now.description != line.description ||
        now.vatCode != line.vatCode || now.unitPrice != line.unitPrice || now.quantity != 0 ||
        now.discount1 != 0 || now.discount2 != 0 || now.articleRecord != 0 || !now.code.empty()) {
        lines[at] = line;
        changed = true;
    }
    return changed;
}

}  // namespace qorvana

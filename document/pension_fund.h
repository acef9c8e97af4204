#pragma once
// The pension fund of a professional (cassa previdenziale): a contribution at a rate of the
// fees, charged to the customer as a document line that the program adds and keeps computed,
// so that the totals, the print, the records and the journal entry carry it as they carry any
// line. The e-invoice writes that line as DatiCassaPrevidenziale (docs/einvoice-rules.md).

#include <array>
#include <string>
#include <string_view>

#include "core/money.h"
#include "document/document_math.h"
#include "document/line_table.h"

namespace qorvana {

// The company's fund (qorvana-fe.ini).
struct PensionFund {
    std::string type;  // TipoCassa, "TC01" to "TC22"; empty when the company has none
    double rate = 0;   // AlCassa, percent
    int vatCode = 0;   // the line's VAT code, 1..24: its rate or nature, and its withholding
    // The VAT codes (1..24) of the fees the contribution is computed on: every code but those
    // of amounts excluded from the base (nature N1, art. 15 DPR 633/72).
    std::array<bool, 25> baseCodes{};
    bool active() const { return !type.empty(); }
};

// The fund line's reference begins with this mark, then the fund's type ("CASSA TC04"): the
// line file keeps it, so that the stored document still tells its fund line.
inline constexpr std::string_view kFundLineMark = "CASSA";

// "Contributo integrativo 4 %"; INPS's (TC22) is "Rivalsa INPS 4 %".
std::string FundLineDescription(const PensionFund& fund);
bool IsFundLine(const DocumentLine& line);
// The number of the document's fund line; 0 when none.
int FundLineOf(const LineTable& lines);
// The fees: the amounts without VAT of the lines of the base codes, the fund line left out.
double FundBase(const LineTable& lines, const PensionFund& fund, const VatTable& vat,
                bool vatInclusive, const Money& money);
// Brings the fund line up to date with the other lines: added after the last line in use when
// the document has fees, its price the contribution (with its VAT when prices include VAT),
// removed when there are none, a second one (from an invoice copied) removed. With `last` it is
// also moved after every other line. True when a line changed.
bool UpdateFundLine(LineTable& lines, const PensionFund& fund, const VatTable& vat,
                    bool vatInclusive, const Money& money, bool last = false);

}  // namespace qorvana

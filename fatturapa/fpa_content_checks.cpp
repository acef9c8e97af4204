// The content checks of the exchange system ("verifiche sul contenuto della fattura"), one
// small function per code, each over the document model of fpa_check_model.h.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "core/money.h"
#include "fatturapa/fpa_check_model.h"

namespace qorvana {
namespace {

using Findings = std::vector<FpaFinding>;

// Amounts are compared in cents: a tolerance of 0.01 must hold for 0.1 + 0.2 as well.
constexpr double kEpsilon = 1e-6;
// Bare N2, N3 and N6 are refused for documents dated from this day on.
constexpr std::string_view kDetailedNaturesSince = "2021-01-01";
// The exchange system allows 0.01 on Imposta (00421) and 1.00 on ImponibileImporto (00422).
// Its own text gives the formulas, not these figures: one cent rests on a developer forum
// (and a 2-cent difference reported refused), one euro on a single source as well.
constexpr double kTaxTolerance = 0.01;
constexpr double kTaxableTolerance = 1.00;
// PrezzoTotale may differ by one cent from the recomputed line (00423): the exchange system's
// own wording ("±1 cent"); whether exactly 0.01 passes is not confirmed, it is let pass.
constexpr double kLineTolerance = 0.01;
// A rate written as a fraction (0.22 for 22%) is refused (00424). The exact test is not
// published: a rate above 0 and below 1 is taken as one, since no Italian rate lies there.
constexpr double kFractionRateBelow = 1.0;

void Report(Findings& out, std::string code, std::string message, const std::string& path,
            int line) {
    out.push_back({std::move(code), std::move(message), path, line});
}

std::string Amount(double value) {
    return FormatGrouped(value, 2);
}

bool IsZero(double value) {
    return std::fabs(value) < kEpsilon;
}

bool Differs(double actual, double expected, double tolerance) {
    return std::fabs(actual - expected) > tolerance + kEpsilon;
}

// Rates as whole hundredths, so that 22, 22.0 and 22.00 are the same rate.
std::int64_t RateKey(double rate) {
    return std::llround(rate * 100.0);
}

std::string RateText(double rate) {
    return Amount(rate) + "%";
}

std::string NatureOf(const FpaText& nature) {
    return nature.present ? nature.value : "";
}

// A rate and a nature: what the summary blocks are keyed by.
struct TaxKey {
    std::int64_t rate;
    std::string nature;
    auto operator<=>(const TaxKey&) const = default;
};

// Every rate and nature the lines and pension-fund contributions of a body use.
std::set<std::int64_t> RatesUsed(const FpaBody& body) {
    std::set<std::int64_t> rates;
    for (const FpaLine& l : body.lines)
        if (l.rate.value) rates.insert(RateKey(*l.rate.value));
    for (const FpaFundContribution& f : body.funds)
        if (f.rate.value) rates.insert(RateKey(*f.rate.value));
    return rates;
}

std::set<std::string> NaturesUsed(const FpaBody& body) {
    std::set<std::string> natures;
    for (const FpaLine& l : body.lines)
        if (l.nature.present) natures.insert(l.nature.value);
    for (const FpaFundContribution& f : body.funds)
        if (f.nature.present) natures.insert(f.nature.value);
    return natures;
}

std::set<std::int64_t> SummaryRates(const FpaBody& body) {
    std::set<std::int64_t> rates;
    for (const FpaSummary& s : body.summaries)
        if (s.rate.value) rates.insert(RateKey(*s.rate.value));
    return rates;
}

std::set<std::string> SummaryNatures(const FpaBody& body) {
    std::set<std::string> natures;
    for (const FpaSummary& s : body.summaries)
        if (s.nature.present) natures.insert(s.nature.value);
    return natures;
}

// TD16 (internal reverse-charge integration) may carry a nature beside a non-zero rate on its
// lines and summaries (since October 2022); no such exception is known for the pension fund.
bool NatureAllowedWithRate(const FpaBody& body) {
    return body.documentType.value == "TD16";
}

// Natura goes with a zero rate and only with it, on lines, pension-fund blocks and summaries
// alike: `missing` is the code and text when a zero rate has no nature, `extra` the code when a
// taxed item has one; `td16` whether TD16 may have both.
template <class Item>
void CheckRateAndNature(const FpaDocument& doc, std::vector<Item> FpaBody::*items,
                        const std::string& noun, const char* missing, const std::string& advice,
                        const char* extra, bool td16, Findings& out) {
    for (const FpaBody& body : doc.bodies)
        for (const Item& item : body.*items) {
            if (!item.rate.value) continue;
            if (IsZero(*item.rate.value) && !item.nature.present)
                Report(out, missing, noun + " con AliquotaIVA zero senza Natura: " + advice,
                       item.rate.path, item.rate.line);
            if (!IsZero(*item.rate.value) && item.nature.present &&
                !(td16 && NatureAllowedWithRate(body)))
                Report(out, extra,
                       noun + " con AliquotaIVA " + RateText(*item.rate.value) + " e Natura " +
                           item.nature.value +
                           ": la natura va indicata solo con aliquota zero, toglierla o "
                           "portare l'aliquota a zero",
                       item.nature.path, item.nature.line);
        }
}

void CheckLineRatesAndNatures(const FpaDocument& doc, Findings& out) {  // 00400, 00401
    CheckRateAndNature(doc, &FpaBody::lines, "linea", "00400",
                       "indicare la natura dell'operazione che giustifica l'assenza di imposta",
                       "00401", true, out);
}

// Ritenuta SI on a line (00411) or a pension-fund block (00415) needs DatiRitenuta; reported
// once per body and kind.
template <class Item>
void CheckWithholdingData(const FpaDocument& doc, std::vector<Item> FpaBody::*items,
                          const char* code, const std::string& noun, Findings& out) {
    for (const FpaBody& body : doc.bodies) {
        if (body.hasWithholdingData) continue;
        for (const Item& item : body.*items)
            if (item.withholding.value == "SI") {
                Report(out, code,
                       noun +
                           " soggetta a ritenuta (Ritenuta SI) ma il documento non ha "
                           "DatiRitenuta: aggiungere tipo, importo, aliquota e causale della "
                           "ritenuta, oppure togliere Ritenuta dalla " +
                           noun,
                       item.withholding.path, item.withholding.line);
                break;
            }
    }
}

void CheckLineWithholding(const FpaDocument& doc, Findings& out) {  // 00411
    CheckWithholdingData(doc, &FpaBody::lines, "00411", "linea", out);
}

void CheckFundWithholding(const FpaDocument& doc, Findings& out) {  // 00415
    CheckWithholdingData(doc, &FpaBody::funds, "00415", "cassa previdenziale", out);
}

// The exchange system's rule: at least as many summaries as distinct rates used. A rate with
// no summary is also 00443, which names it.
void CheckSummaryCount(const FpaDocument& doc, Findings& out) {  // 00419
    for (const FpaBody& body : doc.bodies) {
        const std::size_t rates = RatesUsed(body).size();
        if (body.summaries.size() >= rates) continue;
        Report(out, "00419",
               "il documento usa " + std::to_string(rates) + " aliquote IVA diverse ma ha " +
                   std::to_string(body.summaries.size()) +
                   " blocchi di riepilogo (DatiRiepilogo): aggiungere un riepilogo per ogni "
                   "aliquota",
               body.path + "/DatiBeniServizi", body.goodsLine);
    }
}

void CheckTaxComputed(const FpaDocument& doc, Findings& out) {  // 00421
    for (const FpaBody& body : doc.bodies)
        for (const FpaSummary& s : body.summaries) {
            if (!s.rate.value || !s.taxable.value || !s.tax.value) continue;
            const double expected = *s.taxable.value * *s.rate.value / 100.0;
            if (!Differs(*s.tax.value, expected, kTaxTolerance)) continue;
            Report(out, "00421",
                   "Imposta " + Amount(*s.tax.value) +
                       " diversa da ImponibileImporto × "
                       "aliquota " +
                       RateText(*s.rate.value) + " (" + Amount(expected) +
                       "): correggere l'imposta del riepilogo (tolleranza 0,01)",
                   s.tax.path, s.tax.line);
        }
}

// The taxable amount the lines and contributions give a summary key; nullopt when one of
// them is not a number (the schema reports that).
std::optional<double> TaxableFromLines(const FpaBody& body, const TaxKey& key) {
    double sum = 0;
    for (const FpaLine& l : body.lines) {
        if (!l.rate.value || TaxKey{RateKey(*l.rate.value), NatureOf(l.nature)} != key) continue;
        if (!l.totalPrice.value) return std::nullopt;
        sum += *l.totalPrice.value;
    }
    for (const FpaFundContribution& f : body.funds) {
        if (!f.rate.value || TaxKey{RateKey(*f.rate.value), NatureOf(f.nature)} != key) continue;
        if (!f.amount.value) return std::nullopt;
        sum += *f.amount.value;
    }
    return sum;
}

// Several summaries may share a rate and nature (another EsigibilitaIVA or
// RiferimentoNormativo): the exchange system compares their sum with the lines.
void CheckTaxableComputed(const FpaDocument& doc, Findings& out) {  // 00422
    struct Group {
        TaxKey key;
        const FpaSummary* first = nullptr;
        int summaries = 0;
        double taxable = 0;
        double rounding = 0;
    };
    for (const FpaBody& body : doc.bodies) {
        std::vector<Group> groups;
        for (const FpaSummary& s : body.summaries) {
            if (!s.rate.value || !s.taxable.value) continue;
            if (s.rounding.present && !s.rounding.value) continue;
            const TaxKey key{RateKey(*s.rate.value), NatureOf(s.nature)};
            auto g = std::find_if(groups.begin(), groups.end(),
                                  [&](const Group& x) { return x.key == key; });
            if (g == groups.end()) g = groups.insert(groups.end(), Group{key, &s});
            ++g->summaries;
            g->taxable += *s.taxable.value;
            g->rounding += s.rounding.value.value_or(0.0);
        }
        for (const Group& g : groups) {
            const std::optional<double> lines = TaxableFromLines(body, g.key);
            if (!lines) continue;
            const double expected = *lines + g.rounding;
            if (!Differs(g.taxable, expected, kTaxableTolerance)) continue;
            const FpaSummary& s = *g.first;
            Report(out, "00422",
                   std::string(g.summaries > 1 ? "somma degli ImponibileImporto "
                                               : "ImponibileImporto ") +
                       Amount(g.taxable) +
                       " diverso dalla somma dei PrezzoTotale delle linee con aliquota " +
                       RateText(*s.rate.value) +
                       (s.nature.present ? " e natura " + s.nature.value : std::string()) +
                       " più Arrotondamento (" + Amount(expected) +
                       "): correggere il riepilogo o le linee (tolleranza 1 euro)",
                   s.taxable.path, s.taxable.line);
        }
    }
}

// The unit price after its discounts and surcharges in order: an Importo (per unit) is taken
// as it is, before any Percentuale of the same block; a Percentuale applies to the price as it
// stands. Tipo gives the sign: a negative Importo under SC is still a discount.
std::optional<double> DiscountedUnitPrice(const FpaLine& l) {
    if (!l.unitPrice.value) return std::nullopt;
    double price = *l.unitPrice.value;
    for (const FpaDiscount& d : l.discounts) {
        const double sign = d.type.value == "MG" ? 1.0 : -1.0;
        if (d.amount.present) {
            if (!d.amount.value) return std::nullopt;
            price += sign * std::fabs(*d.amount.value);
        } else if (d.percent.present) {
            if (!d.percent.value) return std::nullopt;
            price += sign * price * *d.percent.value / 100.0;
        }
    }
    return price;
}

void CheckLineTotals(const FpaDocument& doc, Findings& out) {  // 00423
    for (const FpaBody& body : doc.bodies)
        for (const FpaLine& l : body.lines) {
            const std::optional<double> price = DiscountedUnitPrice(l);
            if (!price || !l.totalPrice.value) continue;
            if (l.quantity.present && !l.quantity.value) continue;
            const double expected = *price * l.quantity.value.value_or(1.0);
            if (!Differs(*l.totalPrice.value, expected, kLineTolerance)) continue;
            Report(out, "00423",
                   "PrezzoTotale " + Amount(*l.totalPrice.value) +
                       " diverso dal prezzo unitario scontato per la quantità (" +
                       Amount(expected) +
                       "): correggere il totale, il prezzo o gli sconti "
                       "della linea (tolleranza 0,01)",
                   l.totalPrice.path, l.totalPrice.line);
        }
}

void CheckNumberHasDigit(const FpaDocument& doc, Findings& out) {  // 00425
    for (const FpaBody& body : doc.bodies) {
        const std::string& n = body.number.value;
        if (!body.number.present ||
            std::any_of(n.begin(), n.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        Report(out, "00425",
               "il numero del documento \"" + n +
                   "\" non contiene cifre: indicare un numero con almeno una cifra",
               body.number.path, body.number.line);
    }
}

void CheckRecipientCodeLength(const FpaDocument& doc, Findings& out) {  // 00427
    const std::string& format = doc.transmissionFormat.value;
    const std::size_t length = doc.recipientCode.value.size();
    if (!doc.recipientCode.present) return;
    if (format == "FPA12" && length != 6)
        Report(out, "00427",
               "FormatoTrasmissione FPA12 (pubblica amministrazione) richiede un "
               "CodiceDestinatario di 6 caratteri, il codice ufficio: correggere il codice "
               "o usare FPR12 per un privato",
               doc.recipientCode.path, doc.recipientCode.line);
    if (format == "FPR12" && length != 7)
        Report(out, "00427",
               "FormatoTrasmissione FPR12 (privati) richiede un CodiceDestinatario di 7 "
               "caratteri (\"0000000\" se il cliente non ne ha uno): correggere il codice o "
               "usare FPA12 per una pubblica amministrazione",
               doc.recipientCode.path, doc.recipientCode.line);
}

void CheckVersionMatchesFormat(const FpaDocument& doc, Findings& out) {  // 00428
    if (!doc.version.present || !doc.transmissionFormat.present ||
        doc.version.value == doc.transmissionFormat.value)
        return;
    Report(out, "00428",
           "l'attributo versione \"" + doc.version.value +
               "\" è diverso da FormatoTrasmissione \"" + doc.transmissionFormat.value +
               "\": i due valori devono coincidere",
           doc.version.path, doc.version.line);
}

void CheckSummaryRatesAndNatures(const FpaDocument& doc, Findings& out) {  // 00429, 00430
    CheckRateAndNature(doc, &FpaBody::summaries, "riepilogo", "00429",
                       "indicare la natura dell'operazione", "00430", true, out);
}

void CheckFundRatesAndNatures(const FpaDocument& doc, Findings& out) {  // 00413, 00414
    CheckRateAndNature(doc, &FpaBody::funds, "cassa previdenziale", "00413",
                       "indicare la natura dell'operazione per il contributo", "00414", false, out);
}

// Every rate of the lines and pension-fund blocks has a summary, and every summary rate is
// used (00443); the same for natures (00444). A missing one is named once, where first used.
void CheckRatesMatch(const FpaDocument& doc, Findings& out) {  // 00443
    for (const FpaBody& body : doc.bodies) {
        const std::set<std::int64_t> used = RatesUsed(body);
        const std::set<std::int64_t> summarised = SummaryRates(body);
        for (const FpaSummary& s : body.summaries)
            if (s.rate.value && !used.contains(RateKey(*s.rate.value)))
                Report(out, "00443",
                       "riepilogo con aliquota " + RateText(*s.rate.value) +
                           " che nessuna linea usa: togliere il blocco o correggerne "
                           "l'aliquota",
                       s.rate.path, s.rate.line);
        std::set<std::int64_t> reported;
        auto check = [&](const FpaAmount& rate) {
            if (!rate.value || summarised.contains(RateKey(*rate.value))) return;
            if (!reported.insert(RateKey(*rate.value)).second) return;
            Report(out, "00443",
                   "manca il riepilogo (DatiRiepilogo) dell'aliquota " + RateText(*rate.value) +
                       " usata nel documento: aggiungere un riepilogo con questa aliquota",
                   rate.path, rate.line);
        };
        for (const FpaFundContribution& f : body.funds) check(f.rate);
        for (const FpaLine& l : body.lines) check(l.rate);
    }
}

void CheckNaturesMatch(const FpaDocument& doc, Findings& out) {  // 00444
    for (const FpaBody& body : doc.bodies) {
        const std::set<std::string> used = NaturesUsed(body);
        const std::set<std::string> summarised = SummaryNatures(body);
        for (const FpaSummary& s : body.summaries)
            if (s.nature.present && !used.contains(s.nature.value))
                Report(out, "00444",
                       "riepilogo con natura " + s.nature.value +
                           " che nessuna linea usa: togliere il blocco o correggerne la natura",
                       s.nature.path, s.nature.line);
        std::set<std::string> reported;
        auto check = [&](const FpaText& nature) {
            if (!nature.present || summarised.contains(nature.value)) return;
            if (!reported.insert(nature.value).second) return;
            Report(out, "00444",
                   "manca il riepilogo della natura " + nature.value +
                       " usata nel documento: aggiungere un blocco DatiRiepilogo con "
                       "questa natura",
                   nature.path, nature.line);
        };
        for (const FpaFundContribution& f : body.funds) check(f.nature);
        for (const FpaLine& l : body.lines) check(l.nature);
    }
}

// Reverse charge (N6, N6.1 ... N6.9) is never split payment (EsigibilitaIVA S).
void CheckReverseChargeNotSplit(const FpaDocument& doc, Findings& out) {  // 00420
    for (const FpaBody& body : doc.bodies)
        for (const FpaSummary& s : body.summaries) {
            const std::string& nature = s.nature.value;
            const bool reverse = nature == "N6" || nature.starts_with("N6.");
            if (!s.nature.present || !reverse || s.chargeability.value != "S") continue;
            Report(out, "00420",
                   "riepilogo con natura " + nature +
                       " (inversione contabile) ed EsigibilitaIVA S (scissione dei "
                       "pagamenti): con l'inversione contabile indicare I o D",
                   s.chargeability.path, s.chargeability.line);
        }
}

// A rate is a percentage: 22.00, not 0.22.
void CheckRatesArePercentages(const FpaDocument& doc, Findings& out) {  // 00424
    auto check = [&](const FpaAmount& rate) {
        if (!rate.value || *rate.value <= 0 || *rate.value >= kFractionRateBelow) return;
        Report(out, "00424",
               "AliquotaIVA " + Amount(*rate.value) +
                   " non è una percentuale: scrivere l'aliquota per cento (22.00 e non 0.22)",
               rate.path, rate.line);
    };
    for (const FpaBody& body : doc.bodies) {
        for (const FpaFundContribution& f : body.funds) check(f.rate);
        for (const FpaLine& l : body.lines) check(l.rate);
        for (const FpaSummary& s : body.summaries) check(s.rate);
    }
}

// A ScontoMaggiorazione says how much: Percentuale or Importo (00437 for the document, 00438
// for a line).
void CheckDiscountAmounts(const std::vector<FpaDiscount>& discounts, const char* code,
                          Findings& out) {
    for (const FpaDiscount& d : discounts)
        if (!d.percent.present && !d.amount.present)
            Report(out, code,
                   "sconto o maggiorazione (ScontoMaggiorazione) senza Percentuale né "
                   "Importo: indicarne uno o togliere il blocco",
                   d.path, d.line);
}

void CheckDocumentDiscounts(const FpaDocument& doc, Findings& out) {  // 00437
    for (const FpaBody& body : doc.bodies) CheckDiscountAmounts(body.discounts, "00437", out);
}

void CheckLineDiscounts(const FpaDocument& doc, Findings& out) {  // 00438
    for (const FpaBody& body : doc.bodies)
        for (const FpaLine& l : body.lines) CheckDiscountAmounts(l.discounts, "00438", out);
}

bool IsBareNature(const FpaText& nature) {
    return nature.present && (nature.value == "N2" || nature.value == "N3" || nature.value == "N6");
}

void CheckDetailedNatures(const FpaDocument& doc, Findings& out) {  // 00445
    auto report = [&](const FpaText& nature) {
        Report(out, "00445",
               "la natura " + nature.value +
                   " non è più ammessa dal 2021: usare il codice di dettaglio (" + nature.value +
                   ".1, " + nature.value + ".2, ...)",
               nature.path, nature.line);
    };
    for (const FpaBody& body : doc.bodies) {
        // A valid date before 2021 keeps the old codes; a missing one does not.
        if (body.date.value.size() == 10 && body.date.value < kDetailedNaturesSince) continue;
        for (const FpaFundContribution& f : body.funds)
            if (IsBareNature(f.nature)) report(f.nature);
        for (const FpaLine& l : body.lines)
            if (IsBareNature(l.nature)) report(l.nature);
        for (const FpaSummary& s : body.summaries)
            if (IsBareNature(s.nature)) report(s.nature);
    }
}

}  // namespace

std::string FormatFinding(const FpaFinding& f) {
    std::string where = f.path;
    if (f.line > 0) where += (where.empty() ? "riga " : ", riga ") + std::to_string(f.line);
    return f.code + ": " + f.message + (where.empty() ? "" : " (" + where + ")");
}

std::optional<double> ParseFpaDecimal(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
    std::size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    const std::string_view body = text.substr(i);
    const auto point = body.find('.');
    const std::string_view whole = body.substr(0, point);
    const std::string_view decimals =
        point == std::string_view::npos ? std::string_view() : body.substr(point + 1);
    auto digitsOnly = [](std::string_view s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (whole.empty() || !digitsOnly(whole) || !digitsOnly(decimals)) return std::nullopt;
    if (point != std::string_view::npos && decimals.empty()) return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
    if (ec != std::errc() || end != body.data() + body.size()) return std::nullopt;
    return text[0] == '-' ? -value : value;
}

std::vector<FpaFinding> RunFpaContentChecks(const FpaDocument& document) {
    using Check = void (*)(const FpaDocument&, Findings&);
    static constexpr Check kChecks[] = {
        CheckLineRatesAndNatures,  CheckLineWithholding,
        CheckFundRatesAndNatures,  CheckFundWithholding,
        CheckSummaryCount,         CheckReverseChargeNotSplit,
        CheckTaxComputed,          CheckTaxableComputed,
        CheckLineTotals,           CheckRatesArePercentages,
        CheckNumberHasDigit,       CheckRecipientCodeLength,
        CheckVersionMatchesFormat, CheckSummaryRatesAndNatures,
        CheckDocumentDiscounts,    CheckLineDiscounts,
        CheckRatesMatch,           CheckNaturesMatch,
        CheckDetailedNatures,
    };
    Findings findings;
    for (Check check : kChecks) check(document, findings);
    AddFpaPartyFindings(document, findings);
    std::stable_sort(findings.begin(), findings.end(),
                     [](const FpaFinding& a, const FpaFinding& b) { return a.code < b.code; });
    return findings;
}

}  // namespace qorvana

#pragma once
// Amounts in the current currency mode: rounding (+0.51, floor), formatting with Italian
// separators whatever the locale, parsing typed numbers. Every amount of the program is
// rounded, formatted and parsed here.

#include <optional>
#include <string>
#include <string_view>

namespace qorvana {

class Money {
  public:
    // euro: amounts with decimals ("1" in workStrings slot 1); priceDecimals: slot 5 (2..5).
    Money(bool euro = true, int priceDecimals = 2);

    bool euro() const { return euro_; }
    int priceDecimals() const { return priceDecimals_; }

    // Empty for 0; euro: "1.234,50"; lire: "1.234.567".
    std::string FormatAmount(double amount) const;
    // Empty for 0; euro with priceDecimals decimals; lire as FormatAmount.
    std::string FormatCurrencyAmount(double amount) const;
    // euro: Int(x*100+0.51)/100; lire: Int(x+0.51).
    double RoundAmount(double x) const;
    // euro: Int(x*10^d+0.51)/10^d, d = priceDecimals; lire: Int(x+0.51).
    double RoundCurrency(double x) const;
    // euro: Int(a*p+0.51)/100; lire: Int(a*p/100+0.51).
    double PercentOf(double a, double p) const;
    // euro: Int(a*p+0.51)/100; lire: Int(a*p/100+0.99).
    double PercentOfRoundedUp(double a, double p) const;

  private:
    bool euro_;
    int priceDecimals_;
};

// A number with Italian separators and `decimals` decimals (0..5), rounded as the suite's
// number formatting does; empty for a zero without decimals.
std::string FormatGrouped(double amount, int decimals);
// Int(x*100)/100.
double TruncateCents(double x);
// Typed number with "." as thousands separator and "," as decimal separator; empty gives 0.
double ParseNumber(std::string_view text);
// Typed number whose "," (or ".") is the decimal separator; empty gives 0.
double ParseDecimal(std::string_view text);
// ParseDecimal, but nullopt when the number is beyond the range of a double.
std::optional<double> ParseTypedDecimal(std::string_view text);

}  // namespace qorvana

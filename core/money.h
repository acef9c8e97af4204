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
    // euro: amounts with decimals, else lire; priceDecimals: decimals of euro prices (2..5).
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
// number formatting does; empty for a zero without decimals and for a non-finite number.
std::string FormatGrouped(double amount, int decimals);
// Int(x*100)/100.
double TruncateCents(double x);
// Typed number with "." as thousands separator and "," as decimal separator; empty gives 0.
double ParseNumber(std::string_view text);
// Number whose "," (or ".") is the decimal separator, read as the suite reads the numbers of
// its files (leading numeric part); empty gives 0.
double ParseDecimal(std::string_view text);

// Why a typed text is not a number.
enum class NumberFault { None, Malformed, BeyondNumbers };
struct TypedNumber {
    double value = 0;
    NumberFault fault = NumberFault::None;
    bool ok() const { return fault == NumberFault::None; }
};
// The one reader of every number the operator types (prices, quantities, discounts,
// amounts), whole or refused, never read halfway: an optional sign and digits, where
// - with both "." and "," the last separator is the decimal one and the others, all of the
//   other kind, group thousands ("1.450,00" and "1,450.00" are 1450);
// - several "." and no "," group thousands ("1.234.567");
// - a single separator of either kind is the decimal one ("12,5" and "12.5").
// Thousands groups hold three digits after a first group of one to three. Blanks around the
// number are ignored; empty text is 0.
TypedNumber ReadTypedNumber(std::string_view text);
// The value of a typed text, 0 when it is refused.
double TypedValue(std::string_view text);
// Italian message telling the operator why `text` was refused.
std::string TypedNumberRefusal(std::string_view text, NumberFault fault);

}  // namespace qorvana

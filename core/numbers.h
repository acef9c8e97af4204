#pragma once
// Numbers read from files and typed boxes, and numbers written as plain text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qorvana {

// The suite's numeric value of a text: leading blanks, sign, digits, one decimal point,
// E/D exponent; blanks inside the number ignored; anything else ends it; nothing gives 0.
// A non-finite result gives 0.
double Val(std::string_view text);
// Val, but nullopt when the number lies beyond the range of a double (e.g. "1e309").
std::optional<double> FiniteVal(std::string_view text);
// The whole text as one number written with "." (blanks around it, an optional sign, an
// optional exponent), the same under every locale; nullopt for any other text, empty text
// and numbers beyond a double.
std::optional<double> WholeNumber(std::string_view text);
// A double stored into a 16-bit field: its integer part when it lies in -32768..32767 and
// is finite, nullopt otherwise.
std::optional<std::int16_t> ToInt16(double value);
// Like ToInt16 but 0 when out of range: for numbers read from files.
std::int16_t ToInt16OrZero(double value);
// Up to 15 significant digits, no exponent below 1e15, "." as decimal point, no trailing
// zeros ("12.5", "-3", "0.25").
std::string PlainNumberText(double value);

}  // namespace qorvana

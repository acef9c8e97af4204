#pragma once
// Word lists of the generated demo data: Italian surnames, first names, trades, streets and
// towns. None of the words a generated customer name is made of starts with "A" or contains
// "ORD", and none is "ROSSI", so that name searches on the fixed customers stay predictable.

#include <span>
#include <string_view>

namespace qorvana::demo {

struct Town {
    std::string_view name;
    std::string_view postcode;
    std::string_view province;
    std::string_view code;  // cadastral code, for tax codes
    std::string_view phonePrefix;
};

std::span<const std::string_view> Surnames();
std::span<const std::string_view> MaleNames();
std::span<const std::string_view> FemaleNames();
std::span<const std::string_view> Trades();
std::span<const std::string_view> LegalForms();
std::span<const std::string_view> Streets();
std::span<const Town> Towns();

}  // namespace qorvana::demo

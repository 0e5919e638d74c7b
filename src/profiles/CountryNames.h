#pragma once

#include <span>
#include <string_view>
#include <vector>

// One country as forms name it: a profile keeps the name, a drop-down may show
// any of its names or its code.
struct CountryName {
    std::string_view code; // ISO 3166-1 alpha-2, "DE"
    std::string_view code3; // alpha-3, "DEU"
    std::string_view name; // "Germany"
    std::string_view otherNames; // "|"-separated: official and everyday names
};

// Every country, by name.
std::span<const CountryName> countryNames();
// The country's other names, in order.
std::vector<std::string_view> otherCountryNames(const CountryName& country);

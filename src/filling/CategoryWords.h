#pragma once

#include <string>
#include <string_view>
#include <vector>

// The word "*" that ends the category word list: any category.
inline constexpr std::string_view kAnyCategory = "*";

// The entries of a comma-separated preference text ("categories",
// "subcategories"): each piece trimmed of white space, empty pieces dropped.
std::vector<std::string> listEntries(std::string_view text);

// The category words a drop-down is searched with: the entries in lower case,
// then "*".
std::vector<std::string> categoryWords(std::string_view categories);

// The subcategory words: the entries in lower case.
std::vector<std::string> subcategoryWords(std::string_view subcategories);

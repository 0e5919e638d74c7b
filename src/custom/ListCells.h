#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// How the cells of a shared directory list are read: names and categories as
// people type them, and the facts lists give in many spellings ("DR 56",
// "Do-follow", "Free / Paid").

// A name or other text of a cell: control characters taken out (line breaks
// and tabs become blanks), blanks trimmed and each run of them made one. The
// cell itself when it is clean, else the text made in `scratch`.
std::string_view cleanListText(std::string_view cell, std::string& scratch);

// The categories a cell names, joined by ",": several may be separated by
// ",", ";" or "|"; each loses leading symbols and emoji ("🚀 Startup
// Directory" is "Startup Directory") and trailing emoji. `out` is replaced.
void readListCategory(std::string_view cell, std::string& out);

// A domain rating from 0 to 100 ("56", "DR 56", "56/100", "55.6"); -1 when the
// cell gives none or a number outside that range.
std::int32_t readListRating(std::string_view cell);

// "dofollow" or "nofollow" as a cell gives it ("Do-follow", "nofollow", "ugc",
// "sponsored"); empty when it does not. A column named after one of them
// ("Dofollow?") answers yes or no: `yesMeans` is what a yes stands for.
std::string_view readLinkType(std::string_view cell, std::string_view yesMeans = {});

// "free", "freemium" or "paid" as a cell gives it ("Free", "Free / Paid",
// "$49", "Premium"); empty when it does not. `yesMeans` as for link types, for
// a column named "Free" or "Paid".
std::string_view readPricing(std::string_view cell, std::string_view yesMeans = {});

#pragma once

#include <string>
#include <string_view>

// The longest worksheet name a workbook accepts.
inline constexpr std::size_t kMaxSheetNameLength = 31;

// The worksheet name of a profile's submission history: every character that is
// neither an ASCII letter, a digit nor "_" becomes one "_", and the result is cut
// to kMaxSheetNameLength characters.
std::string historySheetName(std::string_view profileName);

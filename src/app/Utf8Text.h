#pragma once

#include <cstddef>
#include <string_view>

// The first `characters` characters of a UTF-8 text (the whole text when it is
// shorter); a character is never cut in two.
std::string_view utf8Prefix(std::string_view text, std::size_t characters);

// Whether a UTF-8 text has more than `characters` characters.
bool utf8Longer(std::string_view text, std::size_t characters);

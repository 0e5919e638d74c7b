#pragma once

#include <string>
#include <string_view>

// Windows-1252, the code page the older Windows files (sv.dat, directory lists)
// were written in, and UTF-8, the program's own text. Its five unassigned bytes
// (81, 8D, 8F, 90, 9D) stand for the C1 controls of the same value, so that every
// byte converts and converts back.

// UTF-8 of Windows-1252 text, one character a byte.
std::string utf8FromWindows1252(std::string_view bytes);

// Windows-1252 of UTF-8 text; a character the code page has no byte for, and a
// byte outside a well-formed UTF-8 character, becomes "?".
std::string windows1252FromUtf8(std::string_view text);

// A line of a file that may be in either: kept as it is when it is well-formed
// UTF-8, else read as Windows-1252.
std::string utf8FromUtf8OrWindows1252(std::string_view line);

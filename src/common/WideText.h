#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The list checker works in 16-bit text while requests, files and the escaping of
// URLs work on UTF-8 bytes; these convert between the two.

// Appends the UTF-8 bytes of one code point.
void appendUtf8(std::string& out, char32_t code);

// UTF-8 of 16-bit text; an unpaired surrogate becomes U+FFFD.
std::string utf8FromUtf16(std::u16string_view text);

// The code point of the UTF-8 character at `at` (below text.size()) and its length
// in bytes; a byte that does not start a valid character stands alone as U+FFFD.
char32_t decodeUtf8(std::string_view text, std::size_t at, std::size_t& length);

// 16-bit text of UTF-8 bytes; a byte that is not part of valid UTF-8 becomes U+FFFD.
std::u16string utf16FromUtf8(std::string_view bytes);

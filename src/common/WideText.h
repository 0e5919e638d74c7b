#pragma once

#include <string>
#include <string_view>

// The list checker works in 16-bit text while requests, files and the escaping of
// URLs work on UTF-8 bytes; these convert between the two.

// UTF-8 of 16-bit text; an unpaired surrogate becomes U+FFFD.
std::string utf8FromUtf16(std::u16string_view text);

// 16-bit text of UTF-8 bytes; a byte outside a well-formed character becomes U+FFFD.
std::u16string utf16FromUtf8(std::string_view bytes);

#pragma once

#include <string>
#include <string_view>

// The list checker works in 16-bit text while requests and the escaping of URLs
// work on UTF-8 bytes; these convert between the two. An unpaired surrogate
// becomes U+FFFD.
std::string utf8FromUtf16(std::u16string_view text);

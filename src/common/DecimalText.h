#pragma once

#include <cstdint>
#include <string_view>

// Reads a decimal integer the way the C library's atoi does in the C locale:
// leading blanks, an optional sign, then digits; anything after the digits is
// ignored and text without digits gives 0. Values beyond the 32-bit range are
// clamped to its ends.
std::int32_t parseDecimal(std::string_view text);

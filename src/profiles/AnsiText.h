#pragma once

#include <string>
#include <string_view>

namespace SendingProfile {

// Text from the older Windows files (sv.dat) as UTF-8: a line that is valid UTF-8
// already is kept as it is; any other is read as Windows-1252, the code page
// those files were written in.
std::string ansiToUtf8(std::string_view text);

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool isValidUtf8(std::string_view text);

} // namespace SendingProfile

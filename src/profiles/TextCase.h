#pragma once

#include <string_view>

namespace SendingProfile {

// Whether two UTF-8 texts are equal when letter case is ignored. Folds the
// letters of the Latin, Greek and Cyrillic alphabets, which covers every letter
// the older single-byte profile files could hold; other characters compare as
// they are.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

} // namespace SendingProfile

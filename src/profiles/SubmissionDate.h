#pragma once

#include <string>

class IClock;

namespace SendingProfile {

// The date text of entries whose date nobody knows (imported from sv.dat).
inline constexpr const char* kUnknownDate = "unknown";

// Today's local date as a submission entry records it: two-digit day, the full
// month name of the user's locale, four-digit year ("05 March 2021").
std::string submissionDate(const IClock& clock);

} // namespace SendingProfile

#pragma once

#include <string>
#include <string_view>

class IClock;

namespace SendingProfile {

// The date text of entries whose date nobody knows (imported from sv.dat).
inline constexpr const char* kUnknownDate = "unknown";

// Today's local date as a submission entry records it: two-digit day, the full
// month name of the user's locale, four-digit year ("05 March 2021").
std::string submissionDate(const IClock& clock);

// Today's local date as a directory state keeps it: "2021-03-05", the same
// whatever the locale, so that it reads back after the locale changed.
std::string stateDate(const IClock& clock);

// The day of a date text (a state's "2021-03-05", or an entry's "05 March
// 2021" in the user's locale or in English), counted from 1970; -1 when the
// text is no such date ("unknown", empty).
int dayOfDate(std::string_view text);

// A date text as "2021-03-05" when it is a date (dayOfDate), else as it is.
std::string isoDate(std::string_view text);

// A date as the window shows it: a state's date in the entries' form, any
// other text as it is.
std::string shownDate(std::string_view text);

} // namespace SendingProfile

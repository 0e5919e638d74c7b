#pragma once

#include <optional>
#include <string_view>

// The autosave interval as the settings dialog and the timer take it.

// The interval used when none is given.
inline constexpr int kDefaultAutosaveMinutes = 3;

// The number in the interval field: an integer, blanks around it allowed; none
// for any other text.
std::optional<int> parseIntervalText(std::string_view text);

// The interval the timer runs by: 0 means 3 minutes, and so does a negative
// number, with which no timer can run.
int effectiveAutosaveMinutes(int minutes);

// The timer's period for an interval, in milliseconds; at most what a timer takes.
int autosavePeriodMilliseconds(int minutes);

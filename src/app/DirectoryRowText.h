#pragma once

#include "profiles/DirectoryState.h"

#include <cstdint>
#include <string>
#include <string_view>

struct DirectoryList;
struct DirectoryListRow;

// The texts of the directory list's rows and labels.

// The status suffixes of a row while a profile is active.
inline constexpr const char* kApprovedSuffix = " [approved]";
inline constexpr const char* kSentSuffix = " [sent]";
inline constexpr const char* kNotSentSuffix = " [not sent]";

// A name with its PageRank: "Example[pr4]".
std::string taggedDirectoryName(const std::string& name, std::int32_t pr);

// The directory name of a row's text: the text before its first "[".
std::string rowDirectoryName(std::string_view rowText);

// Whether a row shows the directory of that name.
bool rowShowsDirectory(std::string_view rowText, std::string_view name);

// The row's text with its status suffix replaced: cut at the first " [" and the suffix added.
std::string rowTextWithSuffix(std::string_view rowText, std::string_view suffix);

// "Sent to 1 directory", "Sent to 3 directories".
std::string sentCountLabel(int count);

// The active profile's progress: "Sent 12 · approved 3 · 570 to do" over every
// directory, then the share of the rows shown that are no longer to do,
// " (2% of the 582 shown done)"; empty for a list built without a profile.
std::string progressLabel(const DirectoryList& list);

// "12/40 directories available".
std::string availableLabel(int shown, int total);

// The row's tool tip: its address, then "Submitted on " and the date, then the
// custom text, then the state's note, separated by blank lines; empty when the
// row has none of them.
std::string rowToolTip(const DirectoryListRow& row);

// What a state came with, for the tool tip: "Failed on 05 March 2021: the
// page's sentence", then the state's address on a line of its own; empty when
// it came with neither reason nor address.
std::string stateNote(const SendingProfile::DirectoryStatus& status);

#pragma once

#include "filling/PageFiller.h"
#include "profiles/DirectoryState.h"

#include <cstdint>

// The text colours of the directory list's rows, as 0x00BBGGRR values like the
// colours stored in profiles.

// The active profile has sent to the directory (approved or not): kSentRowColor,
// which page filling gives a row when a submission is confirmed.
// Not sent, and the directory came with the main database's latest revision: RGB(26, 53, 94).
inline constexpr std::uint32_t kLatestRevisionColor = 0x005E351Au;
// Not sent, and the directory is older (or custom): RGB(152, 29, 7).
inline constexpr std::uint32_t kOlderRevisionColor = 0x00071D98u;
// Marked broken for the active profile: RGB(192, 192, 192).
inline constexpr std::uint32_t kBrokenColor = SendingProfile::kBrokenMarkColor;

// The colour of a row that nobody coloured and the profile has not sent to.
inline constexpr std::uint32_t revisionColor(std::int32_t revision, std::int32_t latestRevision)
{
    return revision == latestRevision ? kLatestRevisionColor : kOlderRevisionColor;
}

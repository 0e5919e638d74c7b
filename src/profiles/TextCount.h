#pragma once

#include <string>
#include <string_view>

namespace SendingProfile {

// The length and word count of an alternative title, description or keyword line,
// as the text editor's counter line and the lists of the profile wizard show them.
struct TextCount {
    int characters = 0; // letters, not bytes: "é" counts once
    int words = 0; // runs of characters between separators

    bool operator==(const TextCount&) const = default;
};

// Counts a UTF-8 text. Words are separated by blanks, commas, full stops and
// semicolons, and by tabs and line breaks, which a pasted text may hold.
TextCount countText(std::string_view text);

// The editor's counter line: "12 characters, 2 words", "5 characters, 1 word ".
std::string counterLine(const TextCount& count);

// The second column of a wizard list row: characters "/" words.
std::string listCountText(const TextCount& count);

} // namespace SendingProfile

#include "profiles/TextCount.h"

#include "common/Utf8Text.h"

#include <cstdio>

namespace SendingProfile {

namespace {

bool isSeparator(char c)
{
    switch (c) {
    case ' ':
    case ',':
    case '.':
    case ';':
    case '\t':
    case '\r':
    case '\n':
        return true;
    default:
        return false;
    }
}

} // namespace

TextCount countText(std::string_view text)
{
    TextCount count;
    bool inWord = false;
    for (std::size_t at = 0; at < text.size();) {
        ++count.characters;
        const bool separator = isSeparator(text[at]);
        at += utf8CharacterLength(text, at);
        if (!separator && !inWord)
            ++count.words;
        inWord = !separator;
    }
    return count;
}

std::string counterLine(const TextCount& count)
{
    char line[64];
    std::snprintf(line, sizeof line, "%d characters, %d word%c", count.characters, count.words,
        count.words == 1 ? ' ' : 's');
    return line;
}

std::string listCountText(const TextCount& count)
{
    return std::to_string(count.characters) + "/" + std::to_string(count.words);
}

} // namespace SendingProfile

#include "profiles/TextCount.h"

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

// UTF-8 continuation bytes belong to the character before them.
bool startsCharacter(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

} // namespace

TextCount countText(std::string_view text)
{
    TextCount count;
    bool inWord = false;
    for (const char c : text) {
        if (startsCharacter(c))
            ++count.characters;
        const bool separator = isSeparator(c);
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

#include "app/Utf8Text.h"

namespace {

bool continuesCharacter(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0u) == 0x80u;
}

} // namespace

std::string_view utf8Prefix(std::string_view text, std::size_t characters)
{
    std::size_t started = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (continuesCharacter(text[i]))
            continue;
        if (started++ == characters)
            return text.substr(0, i);
    }
    return text;
}

bool utf8Longer(std::string_view text, std::size_t characters)
{
    return utf8Prefix(text, characters).size() < text.size();
}

#include "common/WideText.h"

#include "common/Utf8Text.h"

namespace {

bool isHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

std::string utf8FromUtf16(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char16_t unit = text[at];
        if (isHighSurrogate(unit) && at + 1 < text.size() && isLowSurrogate(text[at + 1])) {
            appendUtf8(
                out, 0x10000 + ((char32_t { unit } - 0xD800) << 10) + (char32_t { text[at + 1] } - 0xDC00));
            ++at;
        } else {
            appendUtf8(out, unit); // an unpaired surrogate becomes U+FFFD
        }
    }
    return out;
}

std::u16string utf16FromUtf8(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    forEachUtf8Character(bytes, [&text](const Utf8Character& character) {
        const char32_t code = character.code;
        if (code >= 0x10000) {
            text += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            text += static_cast<char16_t>(code);
        }
    });
    return text;
}

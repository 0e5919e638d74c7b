#include "history/HistorySheetName.h"

#include "common/Utf8Text.h"

namespace {

bool isKept(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

} // namespace

std::string historySheetName(std::string_view profileName)
{
    std::string name;
    for (std::size_t at = 0; at < profileName.size() && name.size() < kMaxSheetNameLength;) {
        // A multi-byte character is one character: it becomes a single "_".
        const std::size_t length = utf8CharacterLength(profileName, at);
        name += length == 1 && isKept(profileName[at]) ? profileName[at] : '_';
        at += length;
    }
    return name;
}

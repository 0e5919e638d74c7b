#include "history/HistorySheetName.h"

namespace {

bool isKept(unsigned char byte)
{
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9')
        || byte == '_';
}

bool isContinuationByte(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

} // namespace

std::string historySheetName(std::string_view profileName)
{
    std::string name;
    bool insideSequence = false;
    for (const char character : profileName) {
        const auto byte = static_cast<unsigned char>(character);
        // A multi-byte character is one character: it becomes a single "_".
        if (insideSequence && isContinuationByte(byte))
            continue;
        insideSequence = byte >= 0x80;
        name += isKept(byte) ? character : '_';
        if (name.size() == kMaxSheetNameLength)
            break;
    }
    return name;
}

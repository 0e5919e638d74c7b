#include "directories/Scrambling.h"

#include <cstring>

namespace {

// Applies the key to bytes that start at file offset 0, eight bytes per step.
void applyKey(char* bytes, std::size_t size)
{
    std::uint64_t key = 0;
    std::memcpy(&key, kDirectoryScrambleKey.data(), sizeof key);
    std::size_t at = 0;
    for (; at + 8 <= size; at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes + at, sizeof word);
        word ^= key;
        std::memcpy(bytes + at, &word, sizeof word);
    }
    for (; at < size; ++at)
        bytes[at] = static_cast<char>(bytes[at] ^ kDirectoryScrambleKey[at % 8]);
}

std::string_view withoutDeclaration(std::string_view xml)
{
    if (!xml.starts_with("<?xml"))
        return xml;
    const std::size_t end = xml.find("?>");
    if (end == std::string_view::npos)
        return xml;
    xml.remove_prefix(end + 2);
    while (!xml.empty() && (xml.front() == '\r' || xml.front() == '\n'))
        xml.remove_prefix(1);
    return xml;
}

} // namespace

void applyScrambleKey(std::string& bytes)
{
    applyKey(bytes.data(), bytes.size());
}

std::string unscrambleDatabase(std::string_view scrambled)
{
    std::string text;
    text.reserve(kScrambledDeclaration.size() + scrambled.size());
    text.append(kScrambledDeclaration);
    text.append(scrambled);
    applyKey(text.data() + kScrambledDeclaration.size(), scrambled.size());
    return text;
}

void unscrambleDatabaseInPlace(char* text, std::size_t size)
{
    std::memcpy(text, kScrambledDeclaration.data(), kScrambledDeclaration.size());
    applyKey(text + kScrambledDeclaration.size(), size - kScrambledDeclaration.size());
}

std::string scrambleDatabase(std::string_view plainXml)
{
    std::string bytes(withoutDeclaration(plainXml));
    applyScrambleKey(bytes);
    return bytes;
}

#include "profiles/ProfileFile.h"

#include "common/AtomicFile.h"

#include <sstream>

namespace SendingProfile {

namespace {

constexpr unsigned kParseOptions = pugi::parse_full | pugi::parse_ws_pcdata_single;
constexpr int kMaxCopies = 1000;

// The text is held and written as UTF-8 from now on, so a declaration that names
// another encoding would make the next load misread every non-ASCII character.
void dropDeclaredEncoding(pugi::xml_document& document)
{
    for (pugi::xml_node node = document.first_child(); node; node = node.next_sibling())
        if (node.type() == pugi::node_declaration)
            node.remove_attribute("encoding");
}

} // namespace

ProfileFileLoad loadProfileFile(pugi::xml_document& document, const std::filesystem::path& file)
{
    ProfileFileLoad load;
    std::error_code error;
    const bool exists = std::filesystem::exists(file, error);
    const std::optional<std::string> bytes = readFileBytes(file);
    if (!bytes) {
        load.missing = !exists;
        load.error = "the file cannot be opened";
        return load;
    }
    if (bytes->empty()) {
        load.missing = true;
        return load;
    }
    const pugi::xml_parse_result result =
        document.load_buffer(bytes->data(), bytes->size(), kParseOptions, pugi::encoding_auto);
    if (!result) {
        document.reset();
        load.error = std::string(result.description()) + " at byte " + std::to_string(result.offset);
        return load;
    }
    dropDeclaredEncoding(document);
    load.loaded = true;
    return load;
}

std::string profileFileText(const pugi::xml_document& document)
{
    std::ostringstream out;
    // Without a declaration node of its own the document gets `<?xml version="1.0"?>`.
    document.save(out, "\t", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

std::filesystem::path unreadableCopyPath(const std::filesystem::path& file)
{
    std::filesystem::path candidate = file.string() + ".unreadable";
    for (int number = 2; number <= kMaxCopies; ++number) {
        std::error_code error;
        if (!std::filesystem::exists(candidate, error))
            break;
        candidate = file.string() + ".unreadable." + std::to_string(number);
    }
    return candidate;
}

} // namespace SendingProfile

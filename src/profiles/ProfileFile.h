#pragma once

#include <pugixml.hpp>

#include <filesystem>
#include <string>

namespace SendingProfile {

// What became of reading a profile file.
struct ProfileFileLoad {
    bool loaded = false; // the document holds the file
    bool missing = false; // there is no file, or an empty one: nothing to lose
    std::string error; // why an existing file did not load
};

// Loads a profile file (sv.xml or an import) into a document, letting the XML
// library detect the encoding. Comments, processing instructions and a text that
// is an element's only child (even blanks) are kept.
ProfileFileLoad loadProfileFile(pugi::xml_document& document, const std::filesystem::path& file);

// The document as a profile file holds it: UTF-8, indented, with a declaration.
std::string profileFileText(const pugi::xml_document& document);

// A free name beside a file for keeping a copy of it that could not be read:
// "sv.xml.unreadable", else "sv.xml.unreadable.2" and so on.
std::filesystem::path unreadableCopyPath(const std::filesystem::path& file);

} // namespace SendingProfile

#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>

// Parses XML text into a document. The bytes are taken as they stand (an
// encoding named in the declaration is ignored, as the files have always been
// read). A text that is not well-formed leaves the document empty and gives false.
bool parseXmlText(pugi::xml_document& document, std::string_view text);

// The document as text, as it is saved to a file: indented, or raw without any
// added white space.
enum class XmlLayout {
    Indented,
    Raw,
};
std::string xmlDocumentText(const pugi::xml_document& document, XmlLayout layout);

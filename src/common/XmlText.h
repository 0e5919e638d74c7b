#pragma once

#include <pugixml.hpp>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

// Parses XML text into a document. The bytes are taken as they stand (an
// encoding named in the declaration is ignored, as the files have always been
// read). A text that is not well-formed leaves the document empty and gives false.
bool parseXmlText(pugi::xml_document& document, std::string_view text);
// A buffer for a text that a document parses in place and then keeps: a large
// text is neither copied again nor held twice.
struct XmlTextFree {
    void operator()(char* text) const;
};
using XmlTextBuffer = std::unique_ptr<char[], XmlTextFree>;
XmlTextBuffer allocateXmlText(std::size_t size);
// Parses the `size` bytes of the text as parseXmlText does, taking the buffer.
bool parseXmlTextInPlace(pugi::xml_document& document, XmlTextBuffer text, std::size_t size);

// The document as text, as it is saved to a file: indented, or raw without any
// added white space.
enum class XmlLayout {
    Indented,
    Raw,
};
std::string xmlDocumentText(const pugi::xml_document& document, XmlLayout layout);

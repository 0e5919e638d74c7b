#include "common/XmlText.h"

#include <new>
#include <sstream>

bool parseXmlText(pugi::xml_document& document, std::string_view text)
{
    const pugi::xml_parse_result result =
        document.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!result) {
        document.reset();
        return false;
    }
    return true;
}

// The document frees a buffer it takes with its own deallocation function, so
// the buffer comes from the matching allocation function.
void XmlTextFree::operator()(char* text) const
{
    pugi::get_memory_deallocation_function()(text);
}

XmlTextBuffer allocateXmlText(std::size_t size)
{
    char* text = static_cast<char*>(pugi::get_memory_allocation_function()(size == 0 ? 1 : size));
    if (!text)
        throw std::bad_alloc();
    return XmlTextBuffer(text);
}

bool parseXmlTextInPlace(pugi::xml_document& document, XmlTextBuffer text, std::size_t size)
{
    const pugi::xml_parse_result result =
        document.load_buffer_inplace_own(text.release(), size, pugi::parse_default, pugi::encoding_utf8);
    if (!result) {
        document.reset();
        return false;
    }
    return true;
}

std::string xmlDocumentText(const pugi::xml_document& document, XmlLayout layout)
{
    std::ostringstream out;
    const unsigned flags = layout == XmlLayout::Raw ? pugi::format_raw : pugi::format_default;
    document.save(out, "\t", flags | pugi::format_no_declaration, pugi::encoding_utf8);
    return out.str();
}

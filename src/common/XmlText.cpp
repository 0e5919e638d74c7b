#include "common/XmlText.h"

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

std::string xmlDocumentText(const pugi::xml_document& document, XmlLayout layout)
{
    std::ostringstream out;
    const unsigned flags = layout == XmlLayout::Raw ? pugi::format_raw : pugi::format_default;
    document.save(out, "\t", flags | pugi::format_no_declaration, pugi::encoding_utf8);
    return out.str();
}

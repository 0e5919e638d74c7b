#include "profiles/StringValue.h"

namespace SendingProfile {

namespace {

bool isText(const pugi::xml_node& node)
{
    return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

} // namespace

std::string stringValue(const pugi::xml_node& node)
{
    if (node.type() != pugi::node_element && node.type() != pugi::node_document)
        return node.value();
    const pugi::xml_node first = node.first_child();
    // The usual element holds one text node and nothing else.
    if (first && !first.next_sibling() && isText(first))
        return first.value();

    // Walk the subtree without recursion: a hostile file may nest very deeply.
    std::string text;
    pugi::xml_node current = first;
    while (current) {
        if (isText(current))
            text += current.value();
        if (current.first_child()) {
            current = current.first_child();
            continue;
        }
        while (current != node && !current.next_sibling())
            current = current.parent();
        if (current == node)
            break;
        current = current.next_sibling();
    }
    return text;
}

} // namespace SendingProfile

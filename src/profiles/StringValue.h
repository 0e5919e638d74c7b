#pragma once

#include <pugixml.hpp>

#include <string>

namespace SendingProfile {

// The text of a node as an XPath comparison sees it: for an element, every text
// and CDATA node inside it, at any depth, joined in document order; for any other
// node, its value. Queries and the list index must agree on it exactly.
std::string stringValue(const pugi::xml_node& node);

} // namespace SendingProfile

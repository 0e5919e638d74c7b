#pragma once

#include <string>
#include <string_view>

// The site a web address belongs to, as automatic filling compares it: the host
// name in lower case without its port and without a leading "www."; for an
// address without a host (a file, "about:blank") its scheme followed by ":".
// Empty for text that is no address.
std::string siteOf(std::string_view url);

// Whether two addresses belong to one site.
bool sameSite(std::string_view first, std::string_view second);

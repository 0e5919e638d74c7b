#pragma once

#include <string>
#include <string_view>

// The site a web address belongs to, as automatic filling compares it:
// "scheme://host:port", the host name in lower case without a leading "www."
// and the port the scheme's own (80, 443) when the address names none; for an
// address without a host (a file, "about:blank") its scheme followed by ":".
// Empty for text that is no address.
std::string siteOf(std::string_view url);

// Whether a page belongs to the site of a recorded address: the same scheme,
// host and port. A page on https at its own port also belongs to a site
// recorded on http at its own port, as sites move to https; never the other
// way round, which would send the profile's data unencrypted.
bool sameSite(std::string_view recorded, std::string_view page);

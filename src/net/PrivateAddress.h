#pragma once

#include <string_view>

// Whether a host is reached inside this machine or its local network: a
// loopback, private, link-local or unique local address (IPv4 or IPv6, an
// IPv6 one in brackets or not), "localhost" and its sub-domains, or a name
// that resolves to any such address. A name that does not resolve is not.
// Pages from the web may not send the program's requests there.
bool isPrivateNetworkHost(std::string_view host);

#pragma once

#include <optional>
#include <string>
#include <string_view>

// An absolute http or https address taken apart, as libcurl's URL parser reads
// it. The host is in lower case; the port is the scheme's own when the address
// names none; the fragment is dropped, since it never reaches a server.
struct WebAddress {
    std::string url; // the whole address, normalised, without a fragment
    std::string scheme; // "http" or "https"
    std::string host;
    int port = 0;
    std::string path; // from the first "/", "/" at least
    std::string query; // without its "?"

    // The host and port, "host:port" when the port is not the scheme's own.
    std::string authority() const;
};

// The address a link of a page leads to: `reference` (an href as written,
// relative or absolute) read against the address of the page that holds it.
// Spaces, control characters and non-ASCII bytes are escaped as a browser
// escapes them. Nothing for a reference that is not http or https (mailto:,
// javascript:, ftp:) or that cannot be read.
std::optional<WebAddress> resolveWebAddress(std::string_view base, std::string_view reference);
// An address as it stands; one without a scheme is taken as http.
std::optional<WebAddress> parseWebAddress(std::string_view address);

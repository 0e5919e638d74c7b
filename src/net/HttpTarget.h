#pragma once

#include <string>
#include <string_view>

// Where one request goes: a host (a name or address, optionally ":port"), an
// object path with its query already escaped, and whether the URL said https.
struct HttpTarget {
    HttpTarget() = default;
    HttpTarget(std::string host, std::string path, bool secure = false);

    std::string host;
    std::string path = "/";
    bool secure = false;

    // The full URL the client asks for.
    std::string url() const;
};

// Splits a full URL the way the please-wait dialog does: a leading "http://"
// (or "https://", which keeps https) is dropped, the host runs up to the first
// "/", and the path is the rest from that "/" on, or "/" when there is none.
// Any other text before the host is taken as part of the host.
HttpTarget splitRequestUrl(std::string_view url);

#pragma once

#include <string>
#include <string_view>

// Where a site or a directory lives, as the approval checker searches it: the
// host and the folder that holds the page (ending in "/").
struct SiteLocation {
    std::string host;
    std::string folder = "/";
    bool secure = false; // the URL said https

    // "http://" (or "https://") + host + a path.
    std::string url(std::string_view path) const;
};

// Splits a URL into host and base folder: a leading "http://" or "https://" is
// dropped, the host runs to the first "/", and a path that names a page (ends in
// ".php", ".htm" or ".html") is cut after its last "/"; the folder always ends in
// "/", so a path with a query string keeps it and gets a "/" appended.
SiteLocation splitHostAndBaseFolder(std::string_view url);

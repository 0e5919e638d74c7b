#pragma once

#include <string_view>

// Whether a page is on a directory's own site as a password needs it: the scheme,
// host and port of the address the directory record holds, or the same host over
// https (each on its default port) where the record says http, as sites move to it.
bool onDirectoryOrigin(std::string_view recordedUrl, std::string_view pageUrl);

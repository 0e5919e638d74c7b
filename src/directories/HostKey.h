#pragma once

#include <string>
#include <string_view>

// The host key of a URL, by which two directories are found to be the same site:
// drop a leading "http://", then a leading "www.", then cut at the first "/".
// Letters are not folded and "https://" is not dropped.
std::string hostKey(std::string_view url);

// The same key as a view into `url`, for hot loops; valid while `url` is.
std::string_view hostKeyView(std::string_view url);

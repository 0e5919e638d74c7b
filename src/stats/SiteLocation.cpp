#include "stats/SiteLocation.h"

#include "stats/UrlText.h"

namespace {

bool endsWith(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool namesPage(std::string_view path)
{
    return (path.size() > 4 && (endsWith(path, ".php") || endsWith(path, ".htm")))
        || (path.size() >= 6 && endsWith(path, ".html"));
}

} // namespace

std::string SiteLocation::url(std::string_view path) const
{
    return (secure ? "https://" : "http://") + host + std::string(path);
}

SiteLocation splitHostAndBaseFolder(std::string_view url)
{
    SiteLocation location;
    const std::size_t scheme = schemeLength(url);
    location.secure = scheme == 8;
    url.remove_prefix(scheme);
    const std::size_t slash = url.find('/');
    location.host = std::string(url.substr(0, slash));
    std::string path = slash == std::string_view::npos ? "/" : std::string(url.substr(slash));
    if (namesPage(path))
        path.erase(path.rfind('/') + 1);
    if (!endsWith(path, "/"))
        path += '/';
    location.folder = std::move(path);
    return location;
}

#include "filling/DirectoryOrigin.h"

#include "common/TextCase.h"

#include <optional>
#include <string>

namespace {

constexpr std::string_view kAuthorityStart = "://";

struct Origin {
    std::string scheme;
    std::string host;
    std::string port; // empty for the scheme's default port
};

std::string_view defaultPort(std::string_view scheme)
{
    if (scheme == "http")
        return "80";
    if (scheme == "https")
        return "443";
    return {};
}

std::optional<Origin> originOf(std::string_view url)
{
    const std::size_t start = url.find(kAuthorityStart);
    if (start == std::string_view::npos || start == 0)
        return std::nullopt;
    Origin origin;
    origin.scheme = lowerAscii(url.substr(0, start));
    if (origin.scheme != "http" && origin.scheme != "https")
        return std::nullopt;
    std::string_view authority = url.substr(start + kAuthorityStart.size());
    authority = authority.substr(0, authority.find_first_of("/?#\\"));
    if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos)
        authority.remove_prefix(at + 1);
    const std::size_t colon = authority.rfind(':');
    if (colon != std::string_view::npos && authority.find(']', colon) == std::string_view::npos) {
        origin.port = authority.substr(colon + 1);
        authority = authority.substr(0, colon);
    }
    if (origin.port == defaultPort(origin.scheme))
        origin.port.clear();
    origin.host = lowerAscii(authority);
    if (origin.host.empty())
        return std::nullopt;
    return origin;
}

} // namespace

bool onDirectoryOrigin(std::string_view recordedUrl, std::string_view pageUrl)
{
    const std::optional<Origin> recorded = originOf(recordedUrl);
    const std::optional<Origin> page = originOf(pageUrl);
    if (!recorded || !page || recorded->host != page->host)
        return false;
    if (recorded->scheme == page->scheme)
        return recorded->port == page->port;
    return recorded->scheme == "http" && page->scheme == "https" && recorded->port.empty()
        && page->port.empty();
}

#include "filling/DirectorySite.h"

#include "common/TextCase.h"

namespace {

constexpr std::string_view kAuthorityStart = "://";
constexpr std::string_view kWww = "www.";

} // namespace

std::string siteOf(std::string_view url)
{
    const std::size_t colon = url.find(':');
    if (colon == std::string_view::npos || colon == 0)
        return {};
    const std::string scheme = lowerAscii(url.substr(0, colon));
    if (scheme.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789+-.") != std::string::npos)
        return {};
    if (url.substr(colon, kAuthorityStart.size()) != kAuthorityStart)
        return scheme + ":";
    std::string_view authority = url.substr(colon + kAuthorityStart.size());
    authority = authority.substr(0, authority.find_first_of("/?#\\"));
    if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos)
        authority.remove_prefix(at + 1);
    // A port follows the last colon, outside the brackets of an IPv6 address.
    const std::size_t portColon = authority.rfind(':');
    if (portColon != std::string_view::npos && authority.find(']', portColon) == std::string_view::npos)
        authority = authority.substr(0, portColon);
    std::string host = lowerAscii(authority);
    if (host.starts_with(kWww))
        host.erase(0, kWww.size());
    if (host.empty())
        return scheme + ":";
    return host;
}

bool sameSite(std::string_view first, std::string_view second)
{
    const std::string site = siteOf(first);
    return !site.empty() && site == siteOf(second);
}

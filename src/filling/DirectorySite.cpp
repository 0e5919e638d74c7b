#include "filling/DirectorySite.h"

#include "common/TextCase.h"

namespace {

constexpr std::string_view kAuthorityStart = "://";
constexpr std::string_view kWww = "www.";
constexpr std::string_view kHttpSite = "http://";
constexpr std::string_view kHttpPort = ":80";

std::string defaultPort(const std::string& scheme)
{
    if (scheme == "http")
        return "80";
    if (scheme == "https")
        return "443";
    return {};
}

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
    std::string port = defaultPort(scheme);
    const std::size_t portColon = authority.rfind(':');
    if (portColon != std::string_view::npos && authority.find(']', portColon) == std::string_view::npos) {
        const std::string_view given = authority.substr(portColon + 1);
        if (given.find_first_not_of("0123456789") != std::string_view::npos)
            return {};
        if (!given.empty())
            port = std::string(given);
        authority = authority.substr(0, portColon);
    }
    std::string host = lowerAscii(authority);
    if (host.starts_with(kWww))
        host.erase(0, kWww.size());
    if (host.empty())
        return scheme + ":";
    return scheme + std::string(kAuthorityStart) + host + (port.empty() ? std::string() : ":" + port);
}

bool sameSite(std::string_view recorded, std::string_view page)
{
    const std::string site = siteOf(recorded);
    if (site.empty())
        return false;
    const std::string pageSite = siteOf(page);
    if (site == pageSite)
        return true;
    if (!site.starts_with(kHttpSite) || !site.ends_with(kHttpPort))
        return false;
    const std::string_view host =
        std::string_view(site).substr(kHttpSite.size(), site.size() - kHttpSite.size() - kHttpPort.size());
    return pageSite == "https://" + std::string(host) + ":443";
}

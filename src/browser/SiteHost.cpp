#include "browser/SiteHost.h"

#include "common/TextCase.h"

namespace {

constexpr std::string_view kWorldWideWeb = "www.";
constexpr const char* kSays = " says";
constexpr const char* kThisPageSays = "This page says";

// The domain without the leading dot that marks a domain cookie, in lower case.
std::string bareDomain(std::string_view domain)
{
    while (!domain.empty() && domain.front() == '.')
        domain.remove_prefix(1);
    while (!domain.empty() && domain.back() == '.')
        domain.remove_suffix(1);
    return lowerAscii(domain);
}

// Whether `inner` is `outer` or lies below it ("a.example.com" below "example.com").
bool withinDomain(std::string_view inner, std::string_view outer)
{
    if (outer.empty() || inner.size() < outer.size())
        return false;
    if (inner.size() == outer.size())
        return inner == outer;
    return inner.ends_with(outer) && inner[inner.size() - outer.size() - 1] == '.';
}

} // namespace

std::string siteOfHost(std::string_view host)
{
    std::string site = bareDomain(host);
    if (std::string_view(site).starts_with(kWorldWideWeb) && site.size() > kWorldWideWeb.size())
        site.erase(0, kWorldWideWeb.size());
    return site;
}

bool cookieBelongsToSite(std::string_view cookieDomain, std::string_view pageHost)
{
    const std::string domain = bareDomain(cookieDomain);
    const std::string host = bareDomain(pageHost);
    if (domain.empty() || host.empty())
        return false;
    return withinDomain(domain, siteOfHost(host)) || withinDomain(host, domain);
}

std::string pageDialogCaption(std::string_view host)
{
    const std::string shown = bareDomain(host);
    return shown.empty() ? std::string(kThisPageSays) : shown + kSays;
}

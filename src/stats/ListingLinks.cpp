#include "stats/ListingLinks.h"

#include "autofill/FormText.h"
#include "common/TextCase.h"
#include "common/TrimmedText.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::string_view kWwwPrefix = "www.";
// Words that withhold a link's credit; the others ("noopener", "external") do not.
constexpr std::array<std::string_view, 3> kWithholdingWords { "nofollow", "ugc", "sponsored" };
// A name shorter than this ("ab" of "ab.com") is too common to say a text names the site.
constexpr std::size_t kShortestDistinctiveName = 4;

std::string withoutWww(std::string host)
{
    if (host.starts_with(kWwwPrefix))
        host.erase(0, kWwwPrefix.size());
    return host;
}

std::string visibleText(const PageLink& link)
{
    if (!link.text.empty())
        return link.text;
    return !link.imageAlt.empty() ? link.imageAlt : link.title;
}

} // namespace

SiteHost::SiteHost(std::string_view siteUrl, std::string_view title)
{
    if (trimmed(title).size() >= kShortestDistinctiveName)
        m_title = lowerAscii(trimmed(title));
    const std::optional<WebAddress> address = parseWebAddress(trimmed(siteUrl));
    if (!address)
        return;
    m_bare = withoutWww(address->host);
    const std::size_t dot = m_bare.find('.');
    if (dot != std::string::npos && dot >= kShortestDistinctiveName)
        m_label = m_bare.substr(0, dot);
}

bool SiteHost::isSite(std::string_view address) const
{
    const std::optional<WebAddress> parsed = parseWebAddress(address);
    return parsed && isSiteHost(parsed->host);
}

bool SiteHost::isSiteHost(std::string_view host) const
{
    return !m_bare.empty() && withoutWww(lowerAscii(host)) == m_bare;
}

bool SiteHost::namedIn(std::string_view text) const
{
    if (m_bare.empty())
        return false;
    const std::string lower = lowerAscii(text);
    return lower.find(m_bare) != std::string::npos
        || (!m_label.empty() && lower.find(m_label) != std::string::npos)
        || (!m_title.empty() && lower.find(m_title) != std::string::npos);
}

std::string creditWithheldWords(std::string_view rel)
{
    std::string words;
    for (const std::string& word : textWords(rel)) {
        const bool withholding =
            std::find(kWithholdingWords.begin(), kWithholdingWords.end(), word) != kWithholdingWords.end();
        if (withholding && (" " + words + " ").find(" " + word + " ") == std::string::npos)
            words += (words.empty() ? "" : " ") + word;
    }
    return words;
}

std::string pageBase(const HtmlPage& page, const std::string& pageUrl)
{
    if (page.baseHref.empty())
        return pageUrl;
    const std::optional<WebAddress> base = resolveWebAddress(pageUrl, page.baseHref);
    return base ? base->url : pageUrl;
}

std::vector<ListingLink> listingLinks(
    const HtmlPage& page, const std::string& pageUrl, const DirectorySite& onDirectory, const SiteHost& site)
{
    std::vector<ListingLink> direct;
    std::vector<ListingLink> scripted;
    const std::string base = pageBase(page, pageUrl);
    for (const PageLink& link : page.links) {
        if (link.frame)
            continue;
        const std::optional<WebAddress> address = resolveWebAddress(base, link.href);
        if (!address)
            continue;
        ListingLink found { address->url, creditWithheldWords(link.rel), visibleText(link), true };
        if (site.isSiteHost(address->host)) {
            direct.push_back(std::move(found));
        } else if (onDirectory(*address)
            && (site.namedIn(address->path + "?" + address->query) || site.namedIn(found.anchor))) {
            found.direct = false;
            scripted.push_back(std::move(found));
        }
    }
    std::stable_partition(
        direct.begin(), direct.end(), [](const ListingLink& link) { return link.rel.empty(); });
    direct.insert(direct.end(), scripted.begin(), scripted.end());
    return direct;
}

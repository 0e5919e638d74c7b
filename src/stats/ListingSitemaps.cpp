#include "stats/ListingSitemaps.h"

#include "common/TextCase.h"
#include "common/TrimmedText.h"

namespace {

constexpr std::string_view kSitemapField = "sitemap:";
constexpr std::string_view kIndexElement = "<sitemapindex";
constexpr std::string_view kLocStart = "<loc>";
constexpr std::string_view kLocEnd = "</loc>";
constexpr std::string_view kCdataStart = "<![CDATA[";
constexpr std::string_view kCdataEnd = "]]>";

// The five entities XML defines; sitemaps escape "&" in queries.
std::string xmlUnescaped(std::string_view text)
{
    constexpr std::pair<std::string_view, char> kEntities[] = { { "&amp;", '&' }, { "&lt;", '<' },
        { "&gt;", '>' }, { "&quot;", '"' }, { "&apos;", '\'' } };
    std::string plain;
    for (std::size_t at = 0; at < text.size();) {
        bool replaced = false;
        for (const auto& [entity, character] : kEntities) {
            if (text.substr(at, entity.size()) == entity) {
                plain += character;
                at += entity.size();
                replaced = true;
                break;
            }
        }
        if (!replaced)
            plain += text[at++];
    }
    return plain;
}

} // namespace

std::vector<std::string> robotsSitemaps(std::string_view robots)
{
    std::vector<std::string> addresses;
    std::size_t start = 0;
    while (start < robots.size()) {
        std::size_t end = robots.find('\n', start);
        if (end == std::string_view::npos)
            end = robots.size();
        const std::string_view line = trimmed(robots.substr(start, end - start));
        if (startsWithNoCase(line, kSitemapField)) {
            const std::string_view address = trimmed(line.substr(kSitemapField.size()));
            if (!address.empty())
                addresses.emplace_back(address);
        }
        start = end + 1;
    }
    return addresses;
}

SitemapAddresses readSitemap(std::string_view body, std::size_t limit)
{
    SitemapAddresses sitemap;
    sitemap.index = body.find(kIndexElement) != std::string_view::npos;
    std::size_t at = 0;
    while (sitemap.addresses.size() < limit) {
        const std::size_t start = body.find(kLocStart, at);
        if (start == std::string_view::npos)
            break;
        const std::size_t end = body.find(kLocEnd, start);
        if (end == std::string_view::npos)
            break;
        std::string_view text =
            trimmed(body.substr(start + kLocStart.size(), end - start - kLocStart.size()));
        if (text.starts_with(kCdataStart) && text.ends_with(kCdataEnd))
            text =
                trimmed(text.substr(kCdataStart.size(), text.size() - kCdataStart.size() - kCdataEnd.size()));
        if (!text.empty())
            sitemap.addresses.push_back(xmlUnescaped(text));
        at = end + kLocEnd.size();
    }
    return sitemap;
}

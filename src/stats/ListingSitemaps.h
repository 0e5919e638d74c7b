#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The addresses of a robots.txt's "Sitemap:" lines, in file order.
std::vector<std::string> robotsSitemaps(std::string_view robots);

// The addresses a sitemap names: pages, or the sitemaps of a sitemap index.
struct SitemapAddresses {
    bool index = false; // a sitemap index: the addresses are further sitemaps
    std::vector<std::string> addresses;
};

// Reads the <loc> addresses of a sitemap or a sitemap index, at most `limit` of
// them. The text is scanned rather than parsed, so that a sitemap cut short by
// the size limit still gives the addresses before the cut.
SitemapAddresses readSitemap(std::string_view body, std::size_t limit);

#pragma once

#include "autofill/HtmlPage.h"

#include "net/WebAddress.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The host a listing must link to: the site's own, with or without "www.".
// Nothing else counts: not a longer host that merely holds the name
// ("example-site.test.evil.test", "notexample-site.test"), not a subdomain.
class SiteHost {
public:
    // From the site's address as the profile holds it ("http://www.example.com/")
    // and its title; empty when the address names no host.
    explicit SiteHost(std::string_view siteUrl, std::string_view title = {});

    bool empty() const { return m_bare.empty(); }
    // "example.com", in lower case.
    const std::string& bare() const { return m_bare; }
    // Whether an absolute address leads to the site.
    bool isSite(std::string_view address) const;
    bool isSiteHost(std::string_view host) const;
    // Whether a text (a link's address or words) names the site: its host, or
    // its name without the domain ending, or its title, when distinctive enough.
    bool namedIn(std::string_view text) const;

private:
    std::string m_bare;
    std::string m_label; // "example" of "example.com"
    std::string m_title; // in lower case
};

// A link of a page that may be a listing of the site.
struct ListingLink {
    std::string address; // absolute
    std::string rel; // its nofollow, ugc and sponsored words, in its own order
    std::string anchor; // its text (or the image's alt text)
    bool direct = true; // false: on the directory's host, to be followed to see where it leads
};

// The rel words that tell search engines not to follow or credit a link, as a
// link names them (lower case, space-separated); other words are left out.
std::string creditWithheldWords(std::string_view rel);

// Whether an address is on the directory's own site.
using DirectorySite = std::function<bool(const WebAddress& address)>;

// The address the page's relative links are read against: its base element's,
// made absolute, or its own.
std::string pageBase(const HtmlPage& page, const std::string& pageUrl);

// The links of a page that matter to a listing: those to the site itself
// (direct), then those on the directory's own site whose address or text names
// the site (a link script may lead there; these need a request to tell).
// Followed direct links come first.
std::vector<ListingLink> listingLinks(
    const HtmlPage& page, const std::string& pageUrl, const DirectorySite& onDirectory, const SiteHost& site);

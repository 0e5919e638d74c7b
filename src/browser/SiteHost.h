#pragma once

#include <string>
#include <string_view>

// The site a page belongs to, as the browser keeps per-site settings such as
// the zoom: the host in lower case, without a trailing dot or a leading "www.".
std::string siteOfHost(std::string_view host);

// Whether a cookie of the domain (".example.com" or "example.com") belongs to
// the site of the page's host: the cookie's domain is the site, one of its
// subdomains, or a domain above the host whose cookies the host receives.
bool cookieBelongsToSite(std::string_view cookieDomain, std::string_view pageHost);

// The caption of a page's script dialog: "example.com says", or "This page
// says" for a page without a host (a local page).
std::string pageDialogCaption(std::string_view host);

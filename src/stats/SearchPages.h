#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Reading the search services' result pages. Each figure is found by fixed text
// markers, without an HTML parser; a missing marker gives the figure's "nothing
// found" value.

// The Alexa traffic rank: 0 when the page shows no rank, -1 when its markers are missing.
std::int32_t readAlexaRank(std::string_view body);
// The figure between "<b>" and "</b>" after "of about" (Google inbound links); 0 when missing.
std::int32_t readGoogleInboundLinks(std::string_view body);
// The figure in bold after "of about <b>" or "of <b>" (Google indexed pages); 0 when missing.
std::int32_t readGoogleIndex(std::string_view body);
// The figure in brackets after "<strong>Pages" (Yahoo indexed pages); 0 when missing.
std::int32_t readYahooIndex(std::string_view body);
// The figure in brackets of "Inlinks (" (Yahoo inbound links); 0 when missing.
std::int32_t readYahooInboundLinks(std::string_view body);

// Whether a directory's search page links to the site: an "href=" attribute,
// quoted or not, whose value begins with the site's address.
bool pageLinksTo(std::string_view body, std::string_view siteUrl);

// How often a text occurs in a body at an offset from 1 up to (not including) `end`.
std::int32_t countOccurrencesBefore(std::string_view body, std::string_view text, std::size_t end);

// The search service's form of a site root: with "http://" in front when it names no scheme.
std::string withHttpScheme(std::string_view siteRoot);

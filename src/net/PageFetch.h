#pragma once

#include "net/HttpClient.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <string>

// The bounds of fetching a page from a site nobody has vetted.
struct PageFetchLimits {
    std::size_t maxBytes = std::size_t { 2 } << 20; // a longer page is not read
    HttpTimeouts timeouts { std::chrono::seconds(10), std::chrono::seconds(10) };
    std::chrono::milliseconds total { std::chrono::seconds(30) }; // the whole exchange, redirects included
    // Whether redirects may lead into this machine or its local network (see
    // isPrivateNetworkHost): only when the address asked for is there itself.
    bool privateRedirects = false;
};

// One page as a server answered it.
struct FetchedPage {
    bool ok = false; // a whole answer below 400 arrived
    long status = 0;
    std::string url; // where the redirects, if any, led
    std::string contentType; // as the server named it, "" when it named none
    std::string body; // a web page in UTF-8, whatever character set it named
    std::string failure; // why it is not ok, for a person to read
};

// GETs a page with the program's user agent, following at most 10 redirects and
// only to http and https, within the limits. A web page's text is converted to
// UTF-8 from the character set it names. Requests to one host wait for each
// other, so that a site gets one request at a time from this process; `cancel`,
// when given, ends the request (and the wait) as soon as it is set.
FetchedPage fetchPage(
    const std::string& url, const PageFetchLimits& limits, const std::atomic<bool>* cancel = nullptr);

// Whether an answer's content type (or, when it names none, its body) is a web page.
bool isHtmlAnswer(const std::string& contentType, const std::string& body);

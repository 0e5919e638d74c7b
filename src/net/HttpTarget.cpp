#include "net/HttpTarget.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::string_view kHttp = "http://";
constexpr std::string_view kHttps = "https://";

// Schemes are compared without regard to case, as URLs define them.
bool startsWithScheme(std::string_view url, std::string_view scheme)
{
    return url.size() >= scheme.size()
        && std::equal(scheme.begin(), scheme.end(), url.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a))
                   == std::tolower(static_cast<unsigned char>(b));
           });
}

} // namespace

HttpTarget::HttpTarget(std::string hostName, std::string objectPath, bool isSecure)
    : host(std::move(hostName))
    , path(std::move(objectPath))
    , secure(isSecure)
{
}

std::string HttpTarget::url() const
{
    return std::string(secure ? kHttps : kHttp) + host + path;
}

HttpTarget splitRequestUrl(std::string_view url)
{
    bool secure = false;
    if (startsWithScheme(url, kHttp)) {
        url.remove_prefix(kHttp.size());
    } else if (startsWithScheme(url, kHttps)) {
        url.remove_prefix(kHttps.size());
        secure = true;
    }
    const std::size_t slash = url.find('/');
    if (slash == std::string_view::npos)
        return HttpTarget(std::string(url), "/", secure);
    return HttpTarget(std::string(url.substr(0, slash)), std::string(url.substr(slash)), secure);
}

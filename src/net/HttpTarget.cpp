#include "net/HttpTarget.h"

#include "common/TextCase.h"

namespace {

constexpr std::string_view kHttp = "http://";
constexpr std::string_view kHttps = "https://";

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
    // Schemes are compared without regard to case, as URLs define them.
    if (startsWithNoCase(url, kHttp)) {
        url.remove_prefix(kHttp.size());
    } else if (startsWithNoCase(url, kHttps)) {
        url.remove_prefix(kHttps.size());
        secure = true;
    }
    const std::size_t slash = url.find('/');
    if (slash == std::string_view::npos)
        return HttpTarget(std::string(url), "/", secure);
    return HttpTarget(std::string(url.substr(0, slash)), std::string(url.substr(slash)), secure);
}

#include "custom/DirectoryAddress.h"

#include "common/TextCase.h"
#include "directories/HostKey.h"

namespace {

constexpr std::string_view kHttp = "http://";
constexpr std::string_view kHttps = "https://";
constexpr std::string_view kWww = "www.";

} // namespace

std::string withHttpScheme(std::string address)
{
    if (address.starts_with(kHttp) || address.starts_with(kHttps))
        return address;
    return std::string(kHttp) + address;
}

std::string proposedDirectoryName(std::string_view address)
{
    std::string name(proposedNamePart(address));
    if (!name.empty() && name.front() >= 'a' && name.front() <= 'z')
        name.front() = static_cast<char>(name.front() - 'a' + 'A');
    return name;
}

std::string_view proposedNamePart(std::string_view address)
{
    if (startsWithNoCase(address, kHttp))
        address.remove_prefix(kHttp.size());
    else if (startsWithNoCase(address, kHttps))
        address.remove_prefix(kHttps.size());
    if (startsWithNoCase(address, kWww))
        address.remove_prefix(kWww.size());
    return address.substr(0, address.find('.'));
}

std::string siteKey(std::string_view address)
{
    if (!address.starts_with(kHttps))
        return hostKey(address);
    address.remove_prefix(kHttps.size());
    return hostKey(std::string(kHttp) + std::string(address));
}

#include "net/UpdateCheck.h"

#include "common/DecimalText.h"
#include "common/HostConfiguration.h"
#include "net/HttpClient.h"

#include <optional>

namespace {

constexpr const char* kDirectoryListVersionPath = "/customers/autocheck/dirdata.xml.version.txt";
constexpr const char* kProgramVersionPath = "/customers/autocheck/latest.version.txt";

// The leading number of a published version file; nothing when it cannot be fetched.
std::optional<int> publishedVersion(const HostConfiguration& hosts, const char* path)
{
    std::string body;
    if (!HttpGetToFile(HttpTarget(hosts.vendorHost(), path), body, false))
        return std::nullopt;
    return parseDecimal(body);
}

} // namespace

int CheckForUpdates(IUpdateNoticeWindow& window, const HostConfiguration& hosts)
{
    if (!hosts.hasConfiguredVendorHost())
        return 0;
    const int installedList = window.installedDirectoryListVersion();
    if (const auto list = publishedVersion(hosts, kDirectoryListVersionPath); list && installedList < *list)
        window.postDirectoryListAvailable(*list);
    if (const auto program = publishedVersion(hosts, kProgramVersionPath);
        program && *program > kInstalledProgramBuild)
        window.postProgramUpdateAvailable();
    return 0;
}

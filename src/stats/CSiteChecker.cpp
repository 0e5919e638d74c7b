#include "stats/CSiteChecker.h"

#include "stats/PageRank.h"
#include "stats/PageRankSource.h"

namespace {

CSiteChecker::AliveCheck aliveCheck()
{
    return [](const std::string& url) { return CheckAlive(url); };
}

CSiteChecker::RootOf rootOf()
{
    return [](const std::string& url) { return SiteRoot(url); };
}

CSiteChecker::PageRankBatchQuery toolbarQuery(std::string host)
{
    return [host = std::move(host)](const std::vector<std::string>& roots) {
        return std::vector<std::int32_t> { QueryPageRank(roots.front(), host, PageRankRequest::Timed) };
    };
}

CSiteChecker::PageRankBatchQuery configuredQuery(
    const HostConfiguration& hosts, OpenPageRankClient::ProblemListener problems)
{
    auto client = openPageRankClientFor(hosts, nullptr);
    if (!client)
        return toolbarQuery(hosts.pageRankHost());
    client->setProblemListener(std::move(problems));
    return [client](const std::vector<std::string>& roots) {
        return client->query(siteDomains(roots), kUnknownPageRank);
    };
}

} // namespace

CSiteChecker::CSiteChecker(std::string pageRankHost)
    : BasicSiteChecker(toolbarQuery(std::move(pageRankHost)), 1, aliveCheck(), rootOf())
{
}

CSiteChecker::CSiteChecker(const HostConfiguration& hosts, OpenPageRankClient::ProblemListener problems)
    : BasicSiteChecker(configuredQuery(hosts, std::move(problems)),
        usesOpenPageRank(hosts) ? OpenPageRankClient::kDomainsPerRequest : 1, aliveCheck(), rootOf())
{
}

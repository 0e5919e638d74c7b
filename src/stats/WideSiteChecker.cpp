#include "stats/WideSiteChecker.h"

#include "common/SystemSleeper.h"
#include "stats/PageRank.h"
#include "stats/PageRankSource.h"

namespace {

std::shared_ptr<ISleeper> sleeperOrSystem(std::shared_ptr<ISleeper> sleeper)
{
    return sleeper ? std::move(sleeper) : std::make_shared<SystemSleeper>();
}

WideSiteChecker::AliveCheck aliveCheck()
{
    return [](const std::u16string& url) { return CheckAlive(url); };
}

WideSiteChecker::RootOf rootOf()
{
    return [](const std::u16string& url) { return SiteRoot(url); };
}

WideSiteChecker::PageRankBatchQuery toolbarQuery(std::string host, std::shared_ptr<ISleeper> sleeper)
{
    return [host = std::move(host), sleeper = sleeperOrSystem(std::move(sleeper))](
               const std::vector<std::u16string>& roots) {
        return std::vector<std::int32_t> { QueryPageRank(roots.front(), host, *sleeper) };
    };
}

WideSiteChecker::PageRankBatchQuery configuredQuery(const HostConfiguration& hosts,
    std::shared_ptr<ISleeper> sleeper, OpenPageRankClient::ProblemListener problems)
{
    auto client = openPageRankClientFor(hosts, sleeperOrSystem(sleeper));
    if (!client)
        return toolbarQuery(hosts.pageRankHost(), std::move(sleeper));
    client->setProblemListener(std::move(problems));
    return [client](const std::vector<std::u16string>& roots) {
        return client->query(siteDomains(roots), kFailedPageRank);
    };
}

} // namespace

WideSiteChecker::WideSiteChecker(std::string pageRankHost, std::shared_ptr<ISleeper> sleeper)
    : BasicSiteChecker(toolbarQuery(std::move(pageRankHost), std::move(sleeper)), 1, aliveCheck(), rootOf())
{
}

WideSiteChecker::WideSiteChecker(const HostConfiguration& hosts, std::shared_ptr<ISleeper> sleeper,
    OpenPageRankClient::ProblemListener problems)
    : BasicSiteChecker(configuredQuery(hosts, std::move(sleeper), std::move(problems)),
        usesOpenPageRank(hosts) ? OpenPageRankClient::kDomainsPerRequest : 1, aliveCheck(), rootOf())
{
}

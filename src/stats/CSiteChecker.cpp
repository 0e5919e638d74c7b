#include "stats/CSiteChecker.h"

#include "stats/PageRank.h"

CSiteChecker::CSiteChecker(std::string pageRankHost)
    : BasicSiteChecker(
        [host = std::move(pageRankHost)](
            const std::string& root) { return QueryPageRank(root, host, PageRankRequest::Timed); },
        [](const std::string& url) { return CheckAlive(url); },
        [](const std::string& url) { return SiteRoot(url); })
{
}

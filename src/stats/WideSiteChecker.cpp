#include "stats/WideSiteChecker.h"

#include "common/SystemSleeper.h"
#include "stats/PageRank.h"

namespace {

std::shared_ptr<ISleeper> sleeperOrSystem(std::shared_ptr<ISleeper> sleeper)
{
    return sleeper ? std::move(sleeper) : std::make_shared<SystemSleeper>();
}

} // namespace

WideSiteChecker::WideSiteChecker(std::string pageRankHost, std::shared_ptr<ISleeper> sleeper)
    : BasicSiteChecker([host = std::move(pageRankHost), sleeper = sleeperOrSystem(std::move(sleeper))](
                           const std::u16string& root) { return QueryPageRank(root, host, *sleeper); },
        [](const std::u16string& url) { return CheckAlive(url); },
        [](const std::u16string& url) { return SiteRoot(url); })
{
}

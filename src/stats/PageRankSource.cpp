#include "stats/PageRankSource.h"

#include "common/WideText.h"

bool usesOpenPageRank(const HostConfiguration& hosts)
{
    return hosts.services().pageRank == StatisticsServices::PageRankProvider::OpenPageRank;
}

std::string pageRankSourceName(const HostConfiguration& hosts)
{
    if (usesOpenPageRank(hosts))
        return "Open PageRank (" + hosts.services().openPageRankUrl + ")";
    return "toolbar query (" + hosts.pageRankHost() + ")";
}

std::shared_ptr<OpenPageRankClient> openPageRankClientFor(
    const HostConfiguration& hosts, std::shared_ptr<ISleeper> sleeper)
{
    if (!usesOpenPageRank(hosts))
        return nullptr;
    return std::make_shared<OpenPageRankClient>(
        hosts.services().openPageRankUrl, hosts.services().openPageRankKey, std::move(sleeper));
}

std::vector<std::string> siteDomains(const std::vector<std::string>& urls)
{
    std::vector<std::string> domains;
    domains.reserve(urls.size());
    for (const std::string& url : urls)
        domains.push_back(siteDomain(url));
    return domains;
}

std::vector<std::string> siteDomains(const std::vector<std::u16string>& urls)
{
    std::vector<std::string> domains;
    domains.reserve(urls.size());
    for (const std::u16string& url : urls)
        domains.push_back(siteDomain(utf8FromUtf16(url)));
    return domains;
}

#include "StatisticsFakes.h"

#include "support/TempFolder.h"

#include <nlohmann/json.hpp>
#include <zip.h>

#include <fstream>
#include <sstream>

namespace {

void answer(httplib::Response& response, int status, const std::string& body, const std::string& retryAfter)
{
    response.status = status;
    if (!retryAfter.empty())
        response.set_header("Retry-After", retryAfter);
    response.set_content(body, "application/json");
}

std::vector<std::string> valuesOf(const httplib::Request& request, const std::string& name)
{
    std::vector<std::string> values;
    const auto range = request.params.equal_range(name);
    for (auto it = range.first; it != range.second; ++it)
        values.push_back(it->second);
    return values;
}

} // namespace

OpenPageRankFake::OpenPageRankFake()
{
    m_server.handle(
        "/api/v1.0/getPageRank", [this](const httplib::Request& request, httplib::Response& response) {
            std::lock_guard lock(m_mutex);
            const std::vector<std::string> domains = valuesOf(request, "domains[]");
            m_batches.push_back(domains);
            if (!m_queued.empty()) {
                const Answer queued = m_queued.front();
                m_queued.pop_front();
                answer(response, queued.status, queued.body, queued.retryAfter);
                return;
            }
            if (request.get_header_value("API-OPR") != kKey) {
                answer(response, 401, R"({"status_code":401,"error":"Invalid API key"})", {});
                return;
            }
            nlohmann::json entries = nlohmann::json::array();
            for (const std::string& domain : domains) {
                const auto rank = m_ranks.find(domain);
                if (rank == m_ranks.end())
                    entries.push_back(
                        { { "status_code", 404 }, { "error", "Domain not found" }, { "page_rank_integer", 0 },
                            { "page_rank_decimal", 0 }, { "rank", nullptr }, { "domain", domain } });
                else
                    entries.push_back({ { "status_code", 200 }, { "error", "" },
                        { "page_rank_integer", rank->second }, { "page_rank_decimal", rank->second + 0.25 },
                        { "rank", "12345" }, { "domain", domain } });
            }
            const nlohmann::json body = { { "status_code", 200 }, { "response", entries },
                { "last_updated", "10th Jan 2024" } };
            answer(response, 200, body.dump(), {});
        });
    m_server.start();
}

void OpenPageRankFake::setRank(const std::string& domain, std::int32_t rank)
{
    std::lock_guard lock(m_mutex);
    m_ranks[domain] = rank;
}

void OpenPageRankFake::answerNext(int status, const std::string& body, const std::string& retryAfter)
{
    std::lock_guard lock(m_mutex);
    m_queued.push_back({ status, body, retryAfter });
}

std::string OpenPageRankFake::url() const
{
    return m_server.url("");
}

std::vector<std::vector<std::string>> OpenPageRankFake::batches() const
{
    std::lock_guard lock(m_mutex);
    return m_batches;
}

HostConfiguration OpenPageRankFake::hosts(const std::string& key) const
{
    HostConfiguration hosts;
    StatisticsServices services;
    services.pageRank = StatisticsServices::PageRankProvider::OpenPageRank;
    services.openPageRankUrl = url();
    services.openPageRankKey = key;
    hosts.setServices(services);
    return hosts;
}

SearchApiFake::SearchApiFake()
{
    m_server.handle(
        "/res/v1/web/search", [this](const httplib::Request& request, httplib::Response& response) {
            if (takeQueued(response))
                return;
            if (request.get_header_value("X-Subscription-Token") != kKey) {
                answer(response, 401, R"({"type":"ErrorResponse","error":{"status":401}})", {});
                return;
            }
            std::lock_guard lock(m_mutex);
            const std::size_t count = std::stoul(request.get_param_value("count"));
            const std::size_t first = std::stoul(request.get_param_value("offset")) * count;
            nlohmann::json results = nlohmann::json::array();
            for (std::size_t i = first; i < m_results.size() && i < first + count; ++i)
                results.push_back({ { "title", "Result" }, { "url", m_results[i] } });
            nlohmann::json body = { { "type", "search" },
                { "query", { { "original", request.get_param_value("q") } } } };
            if (!results.empty())
                body["web"] = { { "type", "search" }, { "results", results } };
            answer(response, 200, body.dump(), {});
        });
    m_server.handle("/search", [this](const httplib::Request& request, httplib::Response& response) {
        if (takeQueued(response))
            return;
        std::lock_guard lock(m_mutex);
        constexpr std::size_t kPerPage = 10;
        const std::size_t first = (std::stoul(request.get_param_value("pageno")) - 1) * kPerPage;
        nlohmann::json results = nlohmann::json::array();
        for (std::size_t i = first; i < m_results.size() && i < first + kPerPage; ++i)
            results.push_back({ { "title", "Result" }, { "url", m_results[i] }, { "engine", "fake" } });
        const nlohmann::json body = { { "query", request.get_param_value("q") },
            { "number_of_results", m_total }, { "results", results } };
        answer(response, 200, body.dump(), {});
    });
    m_server.start();
}

void SearchApiFake::setResults(std::vector<std::string> urls, long long total)
{
    std::lock_guard lock(m_mutex);
    m_results = std::move(urls);
    m_total = total;
}

void SearchApiFake::answerNext(int status, const std::string& body, const std::string& retryAfter)
{
    std::lock_guard lock(m_mutex);
    m_queued.push_back({ status, body, retryAfter });
}

bool SearchApiFake::takeQueued(httplib::Response& response)
{
    std::lock_guard lock(m_mutex);
    if (m_queued.empty())
        return false;
    const Answer queued = m_queued.front();
    m_queued.pop_front();
    answer(response, queued.status, queued.body, queued.retryAfter);
    return true;
}

std::string SearchApiFake::url() const
{
    return m_server.url("");
}

HostConfiguration SearchApiFake::braveHosts() const
{
    HostConfiguration hosts;
    StatisticsServices services;
    services.search = StatisticsServices::SearchProvider::Brave;
    services.braveUrl = url();
    services.braveKey = kKey;
    hosts.setServices(services);
    return hosts;
}

HostConfiguration SearchApiFake::searxngHosts() const
{
    HostConfiguration hosts;
    StatisticsServices services;
    services.search = StatisticsServices::SearchProvider::SearXng;
    services.searxngUrl = url();
    hosts.setServices(services);
    return hosts;
}

std::string trancoText(int count, const std::map<int, std::string>& entries)
{
    std::string text;
    text.reserve(static_cast<std::size_t>(count) * 16);
    for (int rank = 1; rank <= count; ++rank) {
        const auto entry = entries.find(rank);
        text += std::to_string(rank) + ','
            + (entry == entries.end() ? "site" + std::to_string(rank) + ".com" : entry->second) + "\r\n";
    }
    return text;
}

std::string zipOf(const std::string& name, const std::string& text)
{
    TempFolder folder;
    const std::filesystem::path file = folder.path() / "list.zip";
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    zip_source_t* source = zip_source_buffer(archive, text.data(), text.size(), 0);
    zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE);
    zip_close(archive);
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

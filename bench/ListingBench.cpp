// Verifying the listings of one site on 100 directories whose sites answer on
// loopback servers of their own: a third list the site on a search results
// page, a third on a page their sitemap names, a third on their latest entries
// page, each through the directory's redirect script. The whole list, against
// one directory alone as the baseline of the same run.

#include "stats/ListingVerifier.h"

#include <benchmark/benchmark.h>
#include <httplib.h>

#include <memory>
#include <thread>
#include <vector>

namespace {

constexpr int kDirectories = 100;
constexpr const char* kSite = "http://www.example-site.test/";

std::string page(const std::string& body)
{
    return "<!DOCTYPE html><html><head><title>Directory</title></head><body>" + body + "</body></html>";
}

std::string categoryLinks()
{
    std::string links;
    for (int category = 0; category < 60; ++category)
        links += "<a href=\"/category.php?id=" + std::to_string(category) + "\">Category "
            + std::to_string(category) + "</a> ";
    return links;
}

const std::string kListing =
    page("<p>Example Site</p><a href=\"/out.php?id=7\" rel=\"nofollow\">Example Site</a>");

// One directory site, served by one thread.
struct BenchDirectory {
    httplib::Server server;
    std::thread thread;
    int port = 0;

    explicit BenchDirectory(int site)
    {
        server.new_task_queue = [] { return new httplib::ThreadPool(1); };
        const int way = site % 3;
        const std::string home = page("<a href=\"/latest.php\">Latest links</a>" + categoryLinks()
            + "<form action=\"/search.php\"><input name=\"q\"><input type=\"submit\" "
              "value=\"Search\"></form>");
        server.Get("/", [home](const httplib::Request&, httplib::Response& response) {
            response.set_content(home, "text/html");
        });
        server.Get("/search.php", [way](const httplib::Request& request, httplib::Response& response) {
            const bool hit = way == 0 && request.get_param_value("q") == "example-site.test";
            response.set_content(hit ? kListing : page("No results"), "text/html");
        });
        server.Get("/sitemap.xml", [this, way](const httplib::Request&, httplib::Response& response) {
            std::string map = "<urlset>";
            for (int entry = 0; entry < 1000; ++entry)
                map += "<url><loc>http://127.0.0.1:" + std::to_string(port) + "/site/" + std::to_string(entry)
                    + ".html</loc></url>";
            if (way == 1)
                map += "<url><loc>http://127.0.0.1:" + std::to_string(port)
                    + "/site/example-site.html</loc></url>";
            response.set_content(map + "</urlset>", "application/xml");
        });
        server.Get("/site/example-site.html", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(kListing, "text/html");
        });
        server.Get("/latest.php", [way](const httplib::Request&, httplib::Response& response) {
            response.set_content(way == 2 ? kListing : page(categoryLinks()), "text/html");
        });
        server.Get("/out.php", [](const httplib::Request&, httplib::Response& response) {
            response.status = 302;
            response.set_header("Location", kSite);
        });
        port = server.bind_to_any_port("127.0.0.1");
        thread = std::thread([this] { server.listen_after_bind(); });
        while (!server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    ~BenchDirectory()
    {
        server.stop();
        thread.join();
    }
};

std::vector<ListingTarget> targetsOf(const std::vector<std::unique_ptr<BenchDirectory>>& directories)
{
    std::vector<ListingTarget> targets;
    for (const auto& directory : directories)
        targets.push_back({ "Directory " + std::to_string(directory->port),
            "http://127.0.0.1:" + std::to_string(directory->port) + "/submit.php", "" });
    return targets;
}

void verify(benchmark::State& state, int count)
{
    std::vector<std::unique_ptr<BenchDirectory>> directories;
    for (int site = 0; site < count; ++site)
        directories.push_back(std::make_unique<BenchDirectory>(site));
    const std::vector<ListingTarget> targets = targetsOf(directories);
    const ListingVerifier verifier(kSite, "Example Site");
    std::size_t listed = 0;
    for (auto _ : state) {
        listed = 0;
        verifier.checkAll(
            targets, "2026-12-09", [&](std::size_t, const SendingProfile::ListingRecord& record) {
                listed += record.state == SendingProfile::ListingState::Listed;
            });
    }
    if (listed != targets.size())
        state.SkipWithError("not every directory was found listing the site");
    state.counters["listed"] = static_cast<double>(listed);
}

void BM_VerifyOneDirectory(benchmark::State& state)
{
    verify(state, 1);
}

void BM_VerifyHundredDirectories(benchmark::State& state)
{
    verify(state, kDirectories);
}

} // namespace

BENCHMARK(BM_VerifyOneDirectory)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_VerifyHundredDirectories)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

BENCHMARK_MAIN();
